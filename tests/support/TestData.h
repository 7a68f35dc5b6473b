#pragma once
// Real material for tests: the General MIDI songs of the openmsx package.
#include <string>
#include <vector>

namespace quorvel::test {

// Sorted paths of the installed songs; empty when the package is missing.
std::vector<std::string> openmsxSongs();

// The folder ctest names in QUORVEL_TEST_DATA (tests/data), or empty.
std::string testDataDir();

}  // namespace quorvel::test
