#include "settings/ExtraSettings.h"

#include <gtest/gtest.h>

#include <fstream>

#include "settings/TempFolder.h"

namespace quorvel {
namespace {

TEST(ExtraSettingsTest, LivesBesideTheImageAndKeepsItsValuesAcrossASave) {
  test::TempFolder folder;
  const auto file = extraSettingsPath(folder.path() / "Quorvel.ini");
  EXPECT_EQ(file, folder.path() / kExtraSettingsFileName);
  EXPECT_EQ(loadExtraSettings(file).midiInputPort, "");  // missing: defaults

  ASSERT_EQ(saveExtraSettings(file, {"USB Keys:0\nsecond line"}), 0);
  EXPECT_EQ(loadExtraSettings(file).midiInputPort, "USB Keys:0second line");

  // Written by hand on another system: CR LF and unknown keys.
  std::ofstream(file, std::ios::binary) << "colour=blue\r\nmidi-input=Keys=1\r\n";
  EXPECT_EQ(loadExtraSettings(file).midiInputPort, "Keys=1");
}

}  // namespace
}  // namespace quorvel
