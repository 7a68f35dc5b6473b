// The analysis of hand-made multi-track songs: flags, voices, drums, learning
// candidates, the table and the output tree.
#include <gtest/gtest.h>

#include "LineBuilder.h"
#include "learning/AnalysisOutputs.h"
#include "learning/AnalysisTable.h"
#include "learning/SongAnalysis.h"

namespace quorvel::test {
namespace {

// Ten notes of eight steps from the song's beginning, a C major scale shifted by `offset`.
Line scaleTrack(int offset, int count = 10, int length = 8) {
  static const int degrees[] = {0, 2, 4, 5, 7, 9, 11, 12, 11, 9, 7, 5, 4, 2};
  std::vector<NoteSpec> notes;
  for (int i = 0; i < count; ++i) notes.push_back({2 + length * i, 60 + offset + degrees[i % 14], length});
  return line(notes);
}

SongAnalysis analyse(std::vector<Line> tracks, Line drums = {}) {
  SongAnalysis a;
  a.tracks = std::move(tracks);
  a.drums = std::move(drums);
  analyseTracks(a);
  return a;
}

TEST(SongAnalysis, OnePianoTrackOfChordsIsChordalButStillTheOnlyVoiceOfClassB) {
  std::vector<NoteSpec> chords;
  for (int i = 0; i < 12; ++i)
    for (int key : {60, 64, 67}) chords.push_back({2 + 8 * i, key + (i % 3) * 2, 8});
  const auto a = analyse({line(chords)});
  EXPECT_GT(a.records[0].overlap, 15.0);
  EXPECT_TRUE(a.records[0].flags & kChordalFlag);
  EXPECT_EQ(a.voices.k, 1);
  EXPECT_EQ(a.voices.voices, std::vector<int>{0});
  EXPECT_EQ(songClass(a), "1B_N");
}

TEST(SongAnalysis, TheLighterOfTwoTracksDoublingInOctavesIsTakenOnlyAfterTheUnflagged) {
  // Track 4 doubles track 0 an octave lower for 70 % of its sounding time,
  // then plays two long notes of its own; it has one note fewer.
  Line doubler;
  const Line lead = scaleTrack(0);
  for (std::size_t i = 0; i < 7; ++i) doubler.push_back(lead[i] + 12 * kMelodyRowDelta);
  for (NoteCode c : line({{58, 49, 12}, {70, 51, 12}})) doubler.push_back(c);
  const auto a = analyse({lead, scaleTrack(4), scaleTrack(7), scaleTrack(-10), doubler});
  EXPECT_NEAR(*a.records[4].doubling[0], 70.0, 1e-9);
  EXPECT_EQ(a.records[4].flags, kDoublingFlag);
  EXPECT_EQ(a.records[0].flags, 0u);
  EXPECT_EQ(a.voices.voices, (std::vector<int>{2, 1, 0, 3}));  // by mean pitch, the doubler left out
  EXPECT_EQ(songClass(a), "4A_N");
}

TEST(SongAnalysis, DrumsAreUsedBySoundRateOrByNoteCountAndClassedByBalance) {
  Line sparse;
  for (int i = 0; i < 10; ++i) sparse.push_back(makeDrumNote(2 + 20 * i, 12, 1, 3, 120));
  const auto a = analyse({scaleTrack(0)}, sparse);
  ASSERT_TRUE(a.drumRecord);
  EXPECT_NEAR(a.drumRecord->soundRate, 50.0 / 915, 1e-9);  // about 5 %
  EXPECT_TRUE(a.drumsUsed);
  EXPECT_EQ(a.drumClass, 'B');  // accents only

  Line twoHits;
  for (int st : {2, 190}) twoHits.push_back(makeDrumNote(st, 12, 1, 2, 90));
  EXPECT_FALSE(analyse({scaleTrack(0, 40)}, twoHits).drumsUsed);

  Line groove;
  for (int i = 0; i < 40; ++i) groove.push_back(makeDrumNote(2 + 2 * i, 6, 2, i % 4 == 0 ? 3 : 2, i % 4 == 0 ? 120 : 90));
  const auto b = analyse({scaleTrack(0)}, groove);
  EXPECT_TRUE(b.drumsUsed);
  EXPECT_EQ(b.drumClass, 'D');
}

TEST(SongAnalysis, ASevenNoteTrackNeverBecomesACandidate) {
  EXPECT_TRUE(analyse({scaleTrack(0, 7)}).candidates.first.empty());
  const auto eight = analyse({scaleTrack(0, 8)});
  ASSERT_EQ(eight.candidates.first.size(), 1u);
  EXPECT_EQ(eight.candidates.first[0].track, 0);
}

TEST(SongAnalysis, StrictLineDropsNotesStartingTogetherAndCutsOverlaps) {
  const Line l = strictLine(line({{2, 60, 8}, {2, 64, 8}, {6, 62, 4}, {10, 65, 2}}));
  EXPECT_EQ(l, line({{2, 64, 4}, {6, 62, 4}, {10, 65, 2}}));  // the higher note comes first in set order
}

TEST(SongAnalysis, TableShowsEveryMeasureAndDashesAndCopiesWithTabsAndCrLf) {
  Line drums;
  for (int i = 0; i < 16; ++i) drums.push_back(makeDrumNote(2 + 4 * i, 12, 1, i % 2 ? 2 : 3, i % 2 ? 90 : 120));
  const auto a = analyse({scaleTrack(0), {}, scaleTrack(12)}, drums);
  const auto rows = analysisRows(a);
  ASSERT_EQ(rows.size(), 33u);
  EXPECT_EQ(std::vector<std::string>(rows[0].begin(), rows[0].begin() + 9),
            (std::vector<std::string>{"01", "410", "97.6", "10", "67.00", "0.0", "-", "-", "100.0"}));
  EXPECT_EQ(rows[1], std::vector<std::string>(38, "-"));
  EXPECT_EQ(std::vector<std::string>(rows[32].begin(), rows[32].begin() + 5),
            (std::vector<std::string>{"Dr.", "315", "25.4", "16", "-"}));

  const auto titles = analysisColumnTitles(0);
  const std::string text = analysisClipboardText("/songs/a.mid", titles, rows);
  EXPECT_TRUE(text.starts_with("/songs/a.mid\r\nTrack\tLength\tRate\tNumber\tAverage\tOverlap\t01\t"));
  EXPECT_TRUE(text.find("\r\n01\t410\t97.6\t10\t67.00\t0.0\t-\t-\t100.0\t") != std::string::npos);
  EXPECT_NE(text.find("\r\nDr.\t315\t25.4\t16\t-\t-\t"), std::string::npos);
  EXPECT_EQ(std::count(text.begin(), text.end(), '\t'), 34 * 38);
}

TEST(SongAnalysis, OutputsGoToTheClassFoldersWithCombinationNames) {
  // Track 2 doubles track 0 an octave lower with equal weight: the later one
  // is flagged, taken last, and pruned from the combinations.
  const auto a = analyse({scaleTrack(0), scaleTrack(-5), scaleTrack(-12)});
  auto scratch = std::make_unique<Score>();
  const auto files = analysisOutputs(a, "/in/song.mid", *scratch);
  ASSERT_EQ(files.size(), 4u);
  EXPECT_EQ(files[0].folder + "/" + files[0].name, "L/3B_N/song_3B_N.midi");
  std::vector<std::string> names;
  for (std::size_t i = 1; i < files.size(); ++i) names.push_back(files[i].folder + "/" + files[i].name);
  EXPECT_EQ(names, (std::vector<std::string>{"1_N/song_1_00022_00_00_N.midi", "1_N/song_1_00022_00_01_N.midi",
                                             "2_N/song_2_00044_00_00_N.midi"}));
  for (int p = kBassSet; p <= kDrumsView; ++p) EXPECT_TRUE(scratch->noteSets[static_cast<std::size_t>(p)].empty());
}

}  // namespace
}  // namespace quorvel::test
