#include "tools/TopLine.h"
#include "ToolFixture.h"

namespace quorvel {
namespace {

using ::testing::ElementsAre;

// (start step, key, length) of each note of a line, part bits aside.
struct Seen {
  int start, key, length, part;
  bool operator==(const Seen&) const = default;
};
std::vector<Seen> seen(const NoteSet& set) {
  std::vector<Seen> out;
  for (NoteCode c : set) out.push_back({noteStart(c), melodyKey(c), melodyLength(c), melodyPart(c)});
  return out;
}
void PrintTo(const Seen& s, std::ostream* os) {
  *os << "{" << s.start << ", " << s.key << ", " << s.length << ", part " << s.part << "}";
}

TEST(TopLineTest, AHigherNoteCutsALowerOneWhichResumesAfterIt) {
  const NoteSet source{makeMelodyNote(2, 60, 16, 2), makeMelodyNote(6, 72, 4, 0)};
  NoteSet line;
  extractTopLine(source, line, 1, 0, kTopLineSetPart);
  EXPECT_THAT(seen(line), ElementsAre(Seen{2, 60, 4, 1}, Seen{6, 72, 4, 1}, Seen{10, 60, 8, 1}));
}

TEST(TopLineTest, ALowerNoteWaitsUnderAHigherOneAndKeepsItsOwnEnd) {
  const NoteSet source{makeMelodyNote(2, 72, 8, 3), makeMelodyNote(4, 60, 12, 3), makeMelodyNote(6, 55, 2, 3)};
  NoteSet line;
  extractTopLine(source, line, 0, 0, kTopLineKeepParts);
  EXPECT_THAT(seen(line), ElementsAre(Seen{2, 72, 8, 3}, Seen{10, 60, 6, 3}));
}

TEST(TopLineTest, EqualNotesStartingTogetherGiveOneNote) {
  const NoteSet source{makeMelodyNote(2, 64, 4, 3), makeMelodyNote(2, 64, 4, 3), makeMelodyNote(2, 64, 2, 2)};
  NoteSet line;
  extractTopLine(source, line, 3, 0, kTopLineKeepParts);
  EXPECT_THAT(seen(line), ElementsAre(Seen{2, 64, 4, 3}));
}

TEST(TopLineTest, EveryWaitingNoteResumesInTurnEvenPastTheLastStartingNote) {
  const NoteSet source{makeMelodyNote(2, 48, 16, 0), makeMelodyNote(4, 55, 10, 0), makeMelodyNote(6, 67, 2, 0)};
  NoteSet line;
  extractTopLine(source, line, 0, 0, kTopLineKeepParts);
  EXPECT_THAT(seen(line), ElementsAre(Seen{2, 48, 2, 0}, Seen{4, 55, 2, 0}, Seen{6, 67, 2, 0}, Seen{8, 55, 6, 0},
                                      Seen{14, 48, 4, 0}));
}

TEST(TopLineTest, NormalisedModeMovesToC3AndFoldsIntoTheMiddleOctaves) {
  const NoteSet source{makeMelodyNote(2, 72, 4, 3), makeMelodyNote(6, 100, 4, 3), makeMelodyNote(10, 30, 4, 3),
                       makeDrumNote(2, 3, 1, 3, 100)};
  NoteSet line;
  extractTopLine(source, line, 2, 67, kTopLineNormalised);
  EXPECT_THAT(seen(line), ElementsAre(Seen{2, 65, 4, 2}, Seen{6, 81, 4, 2}, Seen{10, 47, 4, 2}));

  Score s;
  s.settings.melody[kKeyNote] = 62;
  EXPECT_EQ(resolveKeyPitch(s, kGeneratorKeyPitch), 62);
  EXPECT_EQ(resolveKeyPitch(s, 70), 70);
}

}  // namespace
}  // namespace quorvel
