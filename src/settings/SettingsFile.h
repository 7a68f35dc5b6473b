#pragma once
// Reading and writing Quorvel.ini.
#include <filesystem>
#include <span>

#include "settings/ScreenGeometry.h"
#include "settings/SettingsListener.h"

namespace quorvel {

struct Score;
class Ui;

// Reads the file and applies its blocks; every start begins on Soprano and
// drum level 3 whatever the file holds. Answers -1 silently when the file
// cannot be opened, and -1 with a message when it has the wrong size; the
// caller then restores the defaults (restoreAllDefaults).
int loadSettings(Score& s, const std::filesystem::path& file, Ui& ui, SettingsListener& listener,
                 std::span<const ScreenRect> workAreas);

// Writes the live settings, creating the folder when needed. The old file is
// replaced only by a complete new one. Answers -1 with a message on failure.
int saveSettings(const Score& s, const std::filesystem::path& file, Ui& ui);

}  // namespace quorvel
