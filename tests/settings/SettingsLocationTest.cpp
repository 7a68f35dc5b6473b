#include "settings/SettingsLocation.h"

#include <gtest/gtest.h>

#include <fstream>

#include "settings/TempFolder.h"

namespace quorvel {
namespace {

namespace fs = std::filesystem;

// The user's configuration folder, unless a file beside the executable sits in a writable folder.
TEST(SettingsLocation, UsesTheUserConfigurationFolderOrAFileBesideTheExecutable) {
  test::TempFolder exeFolder;
  SettingsPlaces places{exeFolder.path(), "/home/u/.cfg", "/home/u"};
  EXPECT_EQ(settingsFilePath(places), fs::path("/home/u/.cfg/Quorvel/Quorvel.ini"));
  places.xdgConfigHome = "relative/cfg";  // not absolute: ignored
  EXPECT_EQ(settingsFilePath(places), fs::path("/home/u/.config/Quorvel/Quorvel.ini"));
  std::ofstream(exeFolder.path() / "Quorvel.ini") << "x";
  EXPECT_EQ(settingsFilePath(places), exeFolder.path() / "Quorvel.ini");
}

}  // namespace
}  // namespace quorvel
