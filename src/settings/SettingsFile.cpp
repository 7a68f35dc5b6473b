#include "settings/SettingsFile.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <fstream>
#include <optional>
#include <string>
#include <system_error>
#include <vector>

#include "base/Messages.h"
#include "base/Ui.h"
#include "model/Score.h"
#include "settings/SettingsApply.h"
#include "settings/SettingsImage.h"

namespace quorvel {

namespace {

namespace fs = std::filesystem;

constexpr const char* kCaption = "Quorvel";
constexpr const char* kFileFailure = "INI file could not be created or opened";
constexpr std::int32_t kOn = 10, kOff = 0;

// The file's bytes, at most one more than a valid image holds (enough to tell
// a long file from a good one); nothing when it cannot be opened.
std::optional<std::vector<std::uint8_t>> readImageBytes(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  if (!in) return std::nullopt;
  std::vector<std::uint8_t> bytes(kSettingsImageSize + 1);
  in.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  bytes.resize(static_cast<std::size_t>(in.gcount()));
  return bytes;
}

void applyAll(Score& s, Settings& stored, SettingsListener& listener, std::span<const ScreenRect> workAreas) {
  stored.parts.editPart = kSopranoSet;
  stored.drums.drumSet = kDrumSet3;
  applyGeneral(s, stored.general, listener);
  applyWindow(s, stored.window, workAreas);
  applyMelody(s, stored.melody);
  applyParts(s, stored.parts, listener);
  applyDrums(s, stored.drums, listener);
  applyFile(s, stored.file);
  applyCounterNn(s, stored.counterNn);
  applyGeneratorNn(s, stored.generatorNn);
  applyAiTypes(s, stored.aiTypes);
}

bool writeAll(int fd, const std::vector<std::uint8_t>& bytes) {
  std::size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    done += static_cast<std::size_t>(n);
  }
  return true;
}

// Writes a temporary file beside the target and renames it over the target,
// so that a crash or a full disk never leaves a torn settings file.
bool replaceFileAtomically(const fs::path& file, const std::vector<std::uint8_t>& bytes) {
  std::error_code ec;
  if (file.has_parent_path()) fs::create_directories(file.parent_path(), ec);
  std::string temp = file.string() + ".XXXXXX";
  const int fd = ::mkstemp(temp.data());
  if (fd < 0) return false;
  const bool written = writeAll(fd, bytes) && ::fsync(fd) == 0;
  const bool closed = ::close(fd) == 0;
  if (written && closed && std::rename(temp.c_str(), file.c_str()) == 0) return true;
  ::unlink(temp.c_str());
  return false;
}

void showFileFailure(const Score& s, Ui& ui, MsgIcon icon) {
  ui.messageBox(localized(kFileFailure, s.settings.general.language), kCaption, icon, MsgButtons::Ok);
}

}  // namespace

int loadSettings(Score& s, const fs::path& file, Ui& ui, SettingsListener& listener,
                 std::span<const ScreenRect> workAreas) {
  const auto bytes = readImageBytes(file);
  if (!bytes) return -1;
  auto stored = decodeSettingsImage(*bytes);
  if (!stored) {
    showFileFailure(s, ui, MsgIcon::None);
    return -1;
  }
  applyAll(s, *stored, listener, workAreas);
  return 0;
}

int saveSettings(const Score& s, const fs::path& file, Ui& ui) {
  Settings live = s.settings;
  live.window.drumsBandShown = s.hasFlag(kFlagDrumsBand) ? kOn : kOff;
  if (replaceFileAtomically(file, encodeSettingsImage(live))) return 0;
  showFileFailure(s, ui, MsgIcon::Exclamation);
  return -1;
}

}  // namespace quorvel
