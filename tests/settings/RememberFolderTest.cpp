#include "settings/RememberFolder.h"

#include <gtest/gtest.h>

#include <string>

#include "model/Score.h"
#include "settings/TempFolder.h"

namespace quorvel {
namespace {

TEST(RememberFolder, SavingAlsoSetsTheOpenFolderWhileThatIsStillTheDefault) {
  Score s;
  const std::string path = "/music/songs/tune.mid";
  ASSERT_EQ(rememberFolder(s, 1, path, path.rfind('/') + 1), 0);
  EXPECT_EQ(rememberedFolder(s, 1), "/music/songs/");
  EXPECT_EQ(rememberedFolder(s, 0), "/music/songs/");
  EXPECT_EQ(rememberedFolder(s, 2), "./");
  rememberFolder(s, 8, "/out/dir", 8);
  EXPECT_EQ(rememberedFolder(s, 8), "/out/dir/");
}

TEST(RememberFolder, PairedSlotKeepsAFolderThatExists) {
  test::TempFolder existing;
  Score s;
  const std::string kept = existing.path().string() + "/x.mid";
  rememberFolder(s, 6, kept, kept.size() - 5);
  rememberFolder(s, 7, "/elsewhere/y.mid", 11);
  EXPECT_EQ(rememberedFolder(s, 7), "/elsewhere/");
  EXPECT_EQ(rememberedFolder(s, 6), existing.path().string() + "/");
  // A remembered folder that no longer exists gives way.
  rememberFolder(s, 6, "/gone/away/z.mid", 10);
  EXPECT_EQ(rememberedFolder(s, 7), "/gone/away/");
}

TEST(RememberFolder, BadSlotOrOverlongFolderChangesNothing) {
  Score s;
  EXPECT_EQ(rememberFolder(s, 10, "/a/b", 3), -1);
  EXPECT_EQ(rememberFolder(s, -1, "/a/b", 3), -1);
  EXPECT_EQ(rememberFolder(s, 0, "/a/b", 9), -1);
  const std::string longPath = "/" + std::string(600, 'd') + "/f.mid";
  EXPECT_EQ(rememberFolder(s, 0, longPath, 602), -1);
  EXPECT_EQ(rememberedFolder(s, 0), "./");
  EXPECT_EQ(rememberedFolder(s, 1), "./");
}

}  // namespace
}  // namespace quorvel
