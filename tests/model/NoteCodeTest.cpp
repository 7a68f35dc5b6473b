#include <gtest/gtest.h>

#include <array>
#include <utility>
#include <vector>

#include "model/NoteCode.h"
#include "model/NoteSet.h"

namespace quorvel {
namespace {

TEST(NoteCode, MelodyRoundTripThroughViewGeometry) {
  const NoteCode c = encodeNote(/*x=*/50, /*y=*/5 * 60 + 2, /*width=*/20, /*part=*/2, 0, false);
  EXPECT_EQ(noteStart(c), 10);
  EXPECT_EQ(melodyKey(c), 62);
  EXPECT_EQ(melodyLength(c), 4);
  EXPECT_EQ(melodyPart(c), 2);
  EXPECT_EQ(c, makeMelodyNote(10, 62, 4, 2));
  const NoteRect r = decodeNote(c, false);
  EXPECT_EQ((std::array{r.x, r.y, r.width, r.partOrLevel}), (std::array{50, 302, 20, 2}));
}

TEST(NoteCode, LengthCodesAtTheirLimits) {
  // The longest melody note has length code 0 and sorts before shorter notes of the same start and pitch.
  const NoteCode longest = makeMelodyNote(2, 60, 127, 3);
  EXPECT_EQ((longest >> 2) & 0x7F, 0u);
  EXPECT_LT(longest, makeMelodyNote(2, 60, 1, 0));
  // Drum lengths 4, 3, 2, 1 have codes 0, 1, 2, 3.
  for (int len = 1; len <= 4; ++len) {
    const NoteCode d = encodeNote(10, 5 * 3 + 2, 5 * len, 3, 127, true);
    EXPECT_EQ((d >> 12) & 3u, static_cast<unsigned>(4 - len));
    EXPECT_EQ(drumLength(d), len);
    EXPECT_TRUE(isDrumCode(d));
    EXPECT_EQ(drumVelocity(d), 127);
    EXPECT_EQ(d, makeDrumNote(2, 3, len, 3, 127));
  }
}

TEST(NoteCode, DrumLevelsFromVelocity) {
  for (const auto& [velocity, level] : {std::pair{101, 3}, {100, 2}, {50, 2}, {49, 1}, {2, 1}, {1, 0}})
    EXPECT_EQ(levelOfVelocity(velocity), level) << velocity;
  EXPECT_EQ(velocityOfLevel(0, 90), 90);
  EXPECT_EQ(velocityOfLevel(1, 90), 50);
}

}  // namespace
}  // namespace quorvel
