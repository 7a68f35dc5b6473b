#pragma once
// Settings the fixed Quorvel.ini image has no room for, kept in a small text
// file of their own beside it ("key=value" lines), so the image's layout stays
// as other installations expect it.
#include <filesystem>
#include <string>

namespace quorvel {

inline constexpr const char* kExtraSettingsFileName = "Quorvel-extra.conf";

struct ExtraSettings {
  std::string midiInputPort;  // the MIDI keyboard's port; empty for none
};

// The file beside the settings image.
std::filesystem::path extraSettingsPath(const std::filesystem::path& settingsImagePath);

// Missing or unreadable file: the defaults. Unknown keys are ignored.
ExtraSettings loadExtraSettings(const std::filesystem::path& path);
// 0, or -1 when the file could not be written (the old one stays).
int saveExtraSettings(const std::filesystem::path& path, const ExtraSettings& settings);

}  // namespace quorvel
