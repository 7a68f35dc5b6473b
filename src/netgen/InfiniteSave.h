#pragma once
// Automatic saving during infinite generation: the whole song to a new file
// named after the local time in the chosen folder.
#include <ctime>
#include <string>

namespace quorvel {

struct Score;

// "20261207031502.midi": year, then month, day, hour, minute and second.
std::string autoSaveName(const std::tm& localTime);

struct AutoSaveResult {
  std::string path;   // the file written
  std::string error;  // why nothing was written; empty on success
};

// Writes the song to a file that did not exist: the time's name, or the same
// name with "-2", "-3".. when two saves fall in one second. An earlier
// automatic save is never overwritten.
AutoSaveResult saveSongAutomatically(const Score& s, const std::string& folder, const std::tm& localTime);

}  // namespace quorvel
