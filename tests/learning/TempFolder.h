#pragma once
// A folder of its own for one test, removed afterwards.
#include <unistd.h>

#include <atomic>
#include <filesystem>
#include <map>
#include <string>

#include "base/FileIo.h"

namespace quorvel::test {

class TempFolder {
 public:
  TempFolder() {
    static std::atomic<int> counter{0};
    path_ = std::filesystem::temp_directory_path() /
            ("quorvel-learning-" + std::to_string(::getpid()) + "-" + std::to_string(counter++));
    std::filesystem::create_directories(path_);
  }
  ~TempFolder() { std::filesystem::remove_all(path_); }
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  std::string operator/(const std::string& name) const { return (path_ / name).string(); }
  const std::filesystem::path& path() const { return path_; }

  // Every file under the folder by relative path, with its bytes.
  std::map<std::string, Bytes> contents() const {
    std::map<std::string, Bytes> out;
    for (const auto& e : std::filesystem::recursive_directory_iterator(path_))
      if (e.is_regular_file()) out[std::filesystem::relative(e.path(), path_).string()] = *readWholeFile(e.path().string());
    return out;
  }

 private:
  std::filesystem::path path_;
};

}  // namespace quorvel::test
