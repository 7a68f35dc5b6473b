#include "settings/SettingsFile.h"

#include <fstream>
#include <optional>
#include <string>
#include <system_error>
#include <vector>

#include "base/FileIo.h"
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

// The settings folder may not exist on a first start.
bool writeImage(const fs::path& file, const Bytes& bytes) {
  std::error_code ec;
  if (file.has_parent_path()) fs::create_directories(file.parent_path(), ec);
  return replaceFileContents(file.string(), bytes);
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
  live.window.drumsBandShown = storedSwitch(s.hasFlag(kFlagDrumsBand));
  if (writeImage(file, encodeSettingsImage(live))) return 0;
  showFileFailure(s, ui, MsgIcon::Exclamation);
  return -1;
}

}  // namespace quorvel
