#include "model/TopLine.h"
#include "ToolFixture.h"

namespace quorvel {
namespace {

// (start step, key, length, part) of each note of a line.
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

TEST(TopLineTest, HigherNotesCutLowerOnesWhichResumeUntilTheirOwnEnd) {
  struct Case {
    const char* what;
    NoteSet source;
    int part, keyPitch;
    std::uint32_t mode;
    std::vector<Seen> line;
  };
  const Case cases[] = {
      {"a higher note cuts a lower one, which resumes after it",
       {makeMelodyNote(2, 60, 16, 2), makeMelodyNote(6, 72, 4, 0)}, 1, 0, kTopLineSetPart,
       {{2, 60, 4, 1}, {6, 72, 4, 1}, {10, 60, 8, 1}}},
      {"every waiting note resumes in turn, even past the last starting note",
       {makeMelodyNote(2, 48, 16, 0), makeMelodyNote(4, 55, 10, 0), makeMelodyNote(6, 67, 2, 0)}, 0, 0,
       kTopLineKeepParts, {{2, 48, 2, 0}, {4, 55, 2, 0}, {6, 67, 2, 0}, {8, 55, 6, 0}, {14, 48, 4, 0}}},
      {"normalised: moved to C3, folded into the middle octaves, drums left out",
       {makeMelodyNote(2, 72, 4, 3), makeMelodyNote(6, 100, 4, 3), makeMelodyNote(10, 30, 4, 3),
        makeDrumNote(2, 3, 1, 3, 100)},
       2, 67, kTopLineNormalised, {{2, 65, 4, 2}, {6, 81, 4, 2}, {10, 47, 4, 2}}},
  };
  for (const Case& c : cases) {
    NoteSet line;
    extractTopLine(c.source, line, c.part, c.keyPitch, c.mode);
    EXPECT_EQ(seen(line), c.line) << c.what;
  }
}

}  // namespace
}  // namespace quorvel
