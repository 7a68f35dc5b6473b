#pragma once
// Paths in a test's own folder and what a batch left there.
#include <filesystem>
#include <map>
#include <string>

#include "base/FileIo.h"
#include "settings/TempFolder.h"

namespace quorvel::test {

inline std::string operator/(const TempFolder& folder, const std::string& name) {
  return (folder.path() / name).string();
}

// A file's text, "(missing)" when it cannot be read.
inline std::string text(const std::string& path) {
  const auto bytes = readWholeFile(path);
  return bytes ? std::string(bytes->begin(), bytes->end()) : "(missing)";
}

// Every file under the folder by relative path, with its bytes.
inline std::map<std::string, Bytes> contents(const TempFolder& folder) {
  std::map<std::string, Bytes> out;
  for (const auto& e : std::filesystem::recursive_directory_iterator(folder.path()))
    if (e.is_regular_file())
      out[std::filesystem::relative(e.path(), folder.path()).string()] = *readWholeFile(e.path().string());
  return out;
}

}  // namespace quorvel::test
