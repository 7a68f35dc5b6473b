#include "netgen/InfiniteSave.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <memory>
#include <mutex>

#include "midifile/MidiWriter.h"
#include "model/Score.h"

namespace quorvel {

namespace {

constexpr int kMostSuffixes = 1000;

struct FileCloser {
  void operator()(std::FILE* f) const { std::fclose(f); }
};

std::string numbered(const std::string& name, int n) {
  if (n < 2) return name;
  const std::size_t dot = name.rfind('.');
  return name.substr(0, dot) + "-" + std::to_string(n) + name.substr(dot);
}

// Creates the file only when it does not exist yet ("x": exclusive).
// Answers 0 or the errno of the failure.
int writeNewFile(const std::filesystem::path& path, const Bytes& bytes) {
  std::unique_ptr<std::FILE, FileCloser> file(std::fopen(path.c_str(), "wbx"));
  if (!file) return errno;
  const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file.get()) == bytes.size();
  const int writeError = errno;
  if (std::fclose(file.release()) != 0 || !written) {
    std::error_code ignored;
    std::filesystem::remove(path, ignored);
    return written ? errno : writeError;
  }
  return 0;
}

}  // namespace

std::string autoSaveName(const std::tm& t) {
  char name[64];
  std::snprintf(name, sizeof name, "%d%02d%02d%02d%02d%02d.midi", t.tm_year + 1900, t.tm_mon + 1, t.tm_mday,
                t.tm_hour, t.tm_min, t.tm_sec);
  return name;
}

AutoSaveResult saveSongAutomatically(const Score& s, const std::string& folder, const std::tm& localTime) {
  Bytes bytes;
  {
    std::lock_guard lock(s.noteMutex);
    bytes = writeMidi(s, kSopranoSet, kBassSet, kDrumsView, WriteOptions::from(s.settings.file));
  }
  const std::string name = autoSaveName(localTime);
  AutoSaveResult result;
  int error = EEXIST;
  for (int n = 1; n <= kMostSuffixes && error == EEXIST; ++n) {
    const std::filesystem::path path = std::filesystem::path(folder) / numbered(name, n);
    error = writeNewFile(path, bytes);
    if (error == 0) result.path = path.string();
  }
  if (error != 0) result.error = std::strerror(error);
  return result;
}

}  // namespace quorvel
