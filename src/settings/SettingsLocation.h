#pragma once
// Where Quorvel.ini lives: beside the executable when that folder is writable
// and already holds one (a portable installation), otherwise in the per-user
// configuration folder.
#include <filesystem>
#include <string>

namespace quorvel {

inline constexpr const char* kSettingsFileName = "Quorvel.ini";

struct SettingsPlaces {
  std::filesystem::path executableFolder;  // empty when unknown
  std::string xdgConfigHome;               // $XDG_CONFIG_HOME, may be empty
  std::string home;                        // the user's home folder
};

std::filesystem::path settingsFilePath(const SettingsPlaces& places);

// The places of this process: its executable, its environment, the user's home.
SettingsPlaces currentSettingsPlaces();

}  // namespace quorvel
