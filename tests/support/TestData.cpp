#include "support/TestData.h"

#include <algorithm>
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

}  // namespace quorvel::test
