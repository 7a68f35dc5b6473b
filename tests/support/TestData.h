#pragma once
// Real material for tests: the General MIDI songs of the openmsx package.
#include <string>
#include <vector>

namespace quorvel::test {

// Sorted paths of the installed songs; empty when the package is missing.
std::vector<std::string> openmsxSongs();

}  // namespace quorvel::test
