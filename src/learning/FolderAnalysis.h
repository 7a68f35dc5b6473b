#pragma once
// The analysis of a folder of MIDI files: each file measured, rewritten as
// four parts and sorted into the output folder tree.
#include <string>
#include <vector>

#include "learning/AnalysisTable.h"
#include "learning/BatchReport.h"
#include "midifile/SmfBytes.h"

namespace quorvel {

struct Score;
class Ui;

// The files of a folder whose names match "*.mid*", sorted by name.
std::vector<std::string> analysableFiles(const std::string& folder);

// Reads the file track by track into `work` and analyses it. Answers 0, or -1
// when the reader rejects it.
int analyseBytes(Score& work, ByteView file, SongAnalysis& analysis);

// The batch form: every file of inDir, outputs written in list order; with a
// table path, the measures of every file as tab-separated rows ("File" and
// the 38 columns, 33 rows per file).
BatchResult analyseAll(const std::string& inDir, const std::string& outDir, const std::string& tablePath,
                       unsigned jobs, const BatchObserver& observer);

// The dialog form on the current song: asks for the input and output
// folders, then opens each file as the song, analyses and saves it, shows the
// "Analyze MIDI File" table, and clears melodies and drums after it. Answers
// 0, or -1 when a folder choice was cancelled.
int analyseFolder(Score& s, Ui& ui);

}  // namespace quorvel
