#pragma once
// The General MIDI songs the set-up installs: the benchmarks' real input.
#include <algorithm>
#include <filesystem>
#include <system_error>
#include <utility>
#include <vector>

#include "base/FileIo.h"

namespace quorvel::bench {

inline const std::filesystem::path kOpenmsxFolder = "/usr/share/games/openttd/baseset/openmsx";

// The .mid files of a folder in name order; none when it is missing.
inline std::vector<std::filesystem::path> midiFilesIn(const std::filesystem::path& folder) {
  std::vector<std::filesystem::path> files;
  std::error_code ec;
  for (const auto& entry : std::filesystem::directory_iterator(folder, ec))
    if (entry.path().extension() == ".mid") files.push_back(entry.path());
  std::sort(files.begin(), files.end());
  return files;
}

// Every openmsx song's bytes, read once, in name order.
inline const std::vector<Bytes>& openmsxSongs() {
  static const std::vector<Bytes> loaded = [] {
    std::vector<Bytes> files;
    for (const auto& path : midiFilesIn(kOpenmsxFolder))
      if (auto bytes = readWholeFile(path.string())) files.push_back(std::move(*bytes));
    return files;
  }();
  return loaded;
}

}  // namespace quorvel::bench
