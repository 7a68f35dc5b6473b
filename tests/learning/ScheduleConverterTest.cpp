// Whole files through the schedule converter: byte-exact texts for small
// hand-made songs of every learning type.
#include <gtest/gtest.h>

#include "LineBuilder.h"
#include "learning/ScheduleConverter.h"

namespace quorvel::test {
namespace {

class ScheduleConverter : public ::testing::Test {
 protected:
  ScheduleTexts convert(const Bytes& file, LearningType type) {
    ScheduleTexts out;
    EXPECT_EQ(convertToSchedule(*work, file, type, out), 0);
    return out;
  }

  // C major, both lines from the song's beginning: the upper an octave above the lower.
  static Line cMajor(int octave) {
    std::vector<NoteSpec> notes;
    const int keys[] = {0, 2, 4, 5, 7, 9, 11, 12};
    for (int i = 0; i < 8; ++i) notes.push_back({2 + 4 * i, octave + keys[i], 4});
    return line(notes);
  }

  std::unique_ptr<Score> work = std::make_unique<Score>();
  const std::string upperTokens = "f9ec f1ec e9ec e5ec ddec d5ec cdec c9ec .\n";
  const std::string lowerTokens = "129ec 121ec 119ec 115ec 10dec 105ec fdec f9ec .\n";
};

TEST_F(ScheduleConverter, OnePartIsMovedToTheDetectedKeyNoteAndKeepsItsRests) {
  // D major; a rest of two steps before the A.
  const Line melody = line({{2, 62, 4}, {6, 64, 4}, {10, 66, 4}, {14, 67, 4}, {20, 69, 4}, {24, 71, 4}, {28, 73, 4}});
  const auto out = convert(songFile({melody}), LearningType::OnePart);
  EXPECT_EQ(out.files[0], "f9ec f1ec e9ec e5ec 80000 ddec d5ec cdec .\n");
  EXPECT_EQ(out.files[1], "");
}

// Pairs start wherever the song starts and need both lines.
TEST_F(ScheduleConverter, PairTypesTakeTheSecondThirdAndFourthLineAgainstTheTop) {
  const Line upper = cMajor(60), lower = cMajor(48);
  Line upperLater, lowerLater;
  for (NoteCode c : upper) upperLater.push_back(c + 40 * kStepDelta);
  for (NoteCode c : lower) lowerLater.push_back(c + 40 * kStepDelta);
  const struct {
    LearningType type;
    std::vector<Line> parts;
  } cases[] = {
      {LearningType::TwoParts, {upper, lower}},
      {LearningType::ThreeParts, {upper, upper, lower}},
      {LearningType::FourParts, {upper, upper, upper, lower}},
      {LearningType::TwoParts, {upperLater, lowerLater}},
  };
  for (const auto& c : cases) {
    const auto out = convert(songFile(c.parts), c.type);
    EXPECT_EQ(out.files[0], upperTokens) << static_cast<int>(c.type);
    EXPECT_EQ(out.files[1], lowerTokens) << static_cast<int>(c.type);
  }
  const auto alone = convert(songFile({upperLater}), LearningType::TwoParts);
  EXPECT_EQ(alone.files[0] + alone.files[1], "");
}

TEST_F(ScheduleConverter, DrumsPairTheVoiceStepsWithTheDrumStepsAsRead) {
  const Line soprano = cMajor(72);
  Line kicks;
  for (int st = 2; st <= 30; st += 4) kicks.push_back(makeDrumNote(st, 12, 1, 2, 100));
  const auto out = convert(songFile({soprano}, kicks), LearningType::Drums);
  std::string voices, drums;
  for (int i = 0; i < 7; ++i) voices += "1 10 10 10 ", drums += "800 0 0 0 ";
  EXPECT_EQ(out.files[0], voices + "1 .\n");
  EXPECT_EQ(out.files[1], drums + "800 .\n");
  EXPECT_EQ(out.files[2], out.files[1]);
}

TEST_F(ScheduleConverter, AFileTheReaderRejectsGivesNothing) {
  const std::string text = "not a MIDI file at all";
  ScheduleTexts out;
  EXPECT_EQ(convertToSchedule(*work, Bytes(text.begin(), text.end()), LearningType::OnePart, out), -1);
  EXPECT_EQ(out.files[0], "");
}

}  // namespace
}  // namespace quorvel::test
