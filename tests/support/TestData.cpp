#include "support/TestData.h"

#include <algorithm>
#include <system_error>

namespace quorvel::test {

std::vector<std::filesystem::path> midiFilesIn(const std::filesystem::path& folder) {
  std::vector<std::filesystem::path> files;
  std::error_code ec;
  for (const auto& entry : std::filesystem::directory_iterator(folder, ec))
    if (entry.path().extension() == ".mid") files.push_back(entry.path());
  std::sort(files.begin(), files.end());
  return files;
}

std::vector<std::string> openmsxSongs() {
  std::vector<std::string> songs;
  for (const auto& path : midiFilesIn(kOpenmsxFolder)) songs.push_back(path.string());
  return songs;
}

}  // namespace quorvel::test
