#include "support/TestData.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <system_error>

namespace quorvel::test {

namespace {
constexpr const char* kOpenmsxDir = "/usr/share/games/openttd/baseset/openmsx";
}

std::vector<std::string> openmsxSongs() {
  std::vector<std::string> songs;
  std::error_code ec;
  for (const auto& entry : std::filesystem::directory_iterator(kOpenmsxDir, ec))
    if (entry.path().extension() == ".mid") songs.push_back(entry.path().string());
  std::sort(songs.begin(), songs.end());
  return songs;
}

std::string testDataDir() {
  const char* dir = std::getenv("QUORVEL_TEST_DATA");
  return dir ? dir : "";
}

}  // namespace quorvel::test
