#include "settings/RememberFolder.h"

#include <gtest/gtest.h>

#include <string>

#include "model/Score.h"

namespace quorvel {
namespace {

TEST(RememberFolder, BadSlotOrOverlongFolderChangesNothingAndSavingAlsoSetsTheDefaultOpenFolder) {
  Score s;
  const std::string longPath = "/" + std::string(600, 'd') + "/f.mid";
  EXPECT_EQ(rememberFolder(s, 10, "/a/b", 3), -1);
  EXPECT_EQ(rememberFolder(s, 0, "/a/b", 9), -1);  // folder length past the end of the path
  EXPECT_EQ(rememberFolder(s, 1, longPath, 602), -1);
  EXPECT_EQ(rememberedFolder(s, 0), "./");
  EXPECT_EQ(rememberedFolder(s, 1), "./");
  ASSERT_EQ(rememberFolder(s, 1, "/music/songs/tune.mid", 13), 0);
  EXPECT_EQ(rememberedFolder(s, 0), "/music/songs/");
}

}  // namespace
}  // namespace quorvel
