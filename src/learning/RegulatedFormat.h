#pragma once
// The regulated format: a song trimmed, dealt into four lines, moved to the
// key note C3 and reduced to sixteenths, saved under a name that records the
// key it was found in.
#include <string>
#include <vector>

#include "base/FileIo.h"
#include "learning/BatchReport.h"
#include "midifile/SmfBytes.h"
#include "tools/KeyTools.h"

namespace quorvel {

struct Score;
struct FileSettings;
class Ui;

// "%s_%s_%s_%2.2f%%.midi": the input's name without folder and last
// extension, key name, mode name, match rate.
std::string regulatedFileName(const std::string& inputPath, const KeyEstimate& key);

// The file options a regulated conversion reads and writes with: merged with
// drums, written as format 1 with drums, notes of regular channels as read.
void forceRegulatedFileOptions(FileSettings& file);

struct RegulatedSong {
  std::string name;  // regulatedFileName
  Bytes bytes;
};

// Reads the file as the song of `work`, whose settings give the options and
// the key part, and regulates it. Answers 0, -1 when the reader rejects the
// file, -2 when it has no melody to find a key in.
int regulateBytes(Score& work, ByteView file, const std::string& inputPath, RegulatedSong& out);

// The batch form: every input into outDir, in list order (a later file of the
// same output name replaces an earlier one, as in a sequential run).
BatchResult regulateAll(int keyPart, const std::string& outDir, const std::vector<std::string>& inputs, unsigned jobs,
                        const BatchObserver& observer);

// The dialog form on the current song: asks for the output folder, then opens,
// regulates and saves each file in turn; the first file that cannot be opened
// ends the batch. The file options and edit part are restored afterwards.
// Answers 0, -1 when the folder choice was cancelled, -2 for an empty list.
int regulateFiles(Score& s, Ui& ui, const std::vector<std::string>& files, int keyPart);

}  // namespace quorvel
