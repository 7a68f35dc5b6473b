#pragma once
// Real material for tests: the General MIDI songs of the openmsx package.
#include <filesystem>
#include <string>
#include <vector>

namespace quorvel::test {

inline constexpr const char* kOpenmsxFolder = "/usr/share/games/openttd/baseset/openmsx";

// A folder's .mid files by name; empty when the folder is missing.
std::vector<std::filesystem::path> midiFilesIn(const std::filesystem::path& folder);

// Sorted paths of the installed songs; empty when the package is missing.
std::vector<std::string> openmsxSongs();

}  // namespace quorvel::test
