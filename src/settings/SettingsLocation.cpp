#include "settings/SettingsLocation.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>
#include <system_error>

namespace quorvel {

namespace {

namespace fs = std::filesystem;

bool holdsWritableSettings(const fs::path& folder) {
  if (folder.empty()) return false;
  std::error_code ec;
  return fs::is_regular_file(folder / kSettingsFileName, ec) && ::access(folder.c_str(), W_OK) == 0;
}

fs::path configHome(const SettingsPlaces& places) {
  // Relative values of XDG_CONFIG_HOME are to be ignored.
  if (!places.xdgConfigHome.empty() && fs::path(places.xdgConfigHome).is_absolute()) return places.xdgConfigHome;
  return fs::path(places.home) / ".config";
}

std::string homeFolder() {
  if (const char* home = std::getenv("HOME"); home != nullptr && *home != '\0') return home;
  if (const passwd* entry = ::getpwuid(::getuid()); entry != nullptr && entry->pw_dir != nullptr) return entry->pw_dir;
  return ".";
}

}  // namespace

fs::path settingsFilePath(const SettingsPlaces& places) {
  if (holdsWritableSettings(places.executableFolder)) return places.executableFolder / kSettingsFileName;
  return configHome(places) / "Quorvel" / kSettingsFileName;
}

SettingsPlaces currentSettingsPlaces() {
  SettingsPlaces places;
  std::error_code ec;
  const fs::path exe = fs::read_symlink("/proc/self/exe", ec);
  if (!ec) places.executableFolder = exe.parent_path();
  if (const char* xdg = std::getenv("XDG_CONFIG_HOME")) places.xdgConfigHome = xdg;
  places.home = homeFolder();
  return places;
}

}  // namespace quorvel
