#pragma once
// The General MIDI songs the set-up installs: the benchmarks' real input.
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "base/FileIo.h"
#include "learning/FolderAnalysis.h"

namespace quorvel::bench {

inline const std::filesystem::path kOpenmsxFolder = "/usr/share/games/openttd/baseset/openmsx";

// The MIDI files of a folder in name order, as the analysis lists them; none
// when it is missing.
inline std::vector<std::filesystem::path> midiFilesIn(const std::filesystem::path& folder) {
  const std::vector<std::string> names = analysableFiles(folder.string());
  return {names.begin(), names.end()};
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
