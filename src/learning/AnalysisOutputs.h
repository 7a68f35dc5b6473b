#pragma once
// The files one analysed song leaves in the output folder: the song as four
// parts, classified by folder, and the combination files of its candidates.
#include <string>
#include <vector>

#include "base/FileIo.h"
#include "learning/SongAnalysis.h"

namespace quorvel {

struct Score;

struct OutputFile {
  std::string folder;  // relative to the output folder, e.g. "L/2A_D" or "3_N"
  std::string name;    // e.g. "song_2A_D.midi"
  Bytes bytes;
};

// The class of the song: digit k, letter, '_', drum class (e.g. "2A_D").
std::string songClass(const SongAnalysis& analysis);

// `scratch` is a score whose parts and drums the writer is filled from; it
// is left empty.
std::vector<OutputFile> analysisOutputs(const SongAnalysis& analysis, const std::string& inputPath, Score& scratch);

// Writes the files under the output folder, creating class folders as
// needed; a folder that cannot be made skips its file. Answers the number
// written.
int writeAnalysisOutputs(const std::string& outDir, const std::vector<OutputFile>& files);

}  // namespace quorvel
