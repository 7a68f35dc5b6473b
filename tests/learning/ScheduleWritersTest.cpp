// The three schedule writers on hand-made lines: sentence lengths, the pairing
// search and the drum sections.
#include <gtest/gtest.h>

#include <iterator>
#include <sstream>

#include "LineBuilder.h"
#include "learning/DrumSections.h"
#include "learning/MelodySentences.h"
#include "learning/PhrasePairs.h"

namespace quorvel::test {
namespace {

std::vector<std::vector<std::string>> sentences(const std::string& text) {
  EXPECT_TRUE(text.empty() || text.ends_with(".\n"));
  std::vector<std::vector<std::string>> out;
  std::istringstream lines(text);
  for (std::string sentence; std::getline(lines, sentence);) {
    EXPECT_TRUE(sentence.ends_with(" .")) << sentence;
    std::istringstream tokens(sentence.substr(0, sentence.size() - 1));
    out.emplace_back(std::istream_iterator<std::string>(tokens), std::istream_iterator<std::string>());
  }
  return out;
}

std::vector<std::size_t> sizes(const std::vector<std::vector<std::string>>& s) {
  std::vector<std::size_t> out;
  for (const auto& words : s) out.push_back(words.size());
  return out;
}

TEST(MelodySentences, FourHundredFiftyTiedNotesMakeSentencesOf199_199_52) {
  std::string out;
  writeMelodySentences(run(2, 450, 1), out);
  EXPECT_EQ(sizes(sentences(out)), (std::vector<std::size_t>{199, 199, 52}));
}

// 198 tied notes and three silent steps fill a sentence of 199 tokens, the
// rest last; the next holds 200 tokens, or one when the file ends there.
TEST(MelodySentences, ARestOnACountOf200EndsTheSentenceAndTheNextMayHold200TokensOrOne) {
  Line twoHundredMore = run(2, 198, 1), oneMore = twoHundredMore;
  const Line after = run(2 + 198 + 3, 200, 1);
  twoHundredMore.insert(twoHundredMore.end(), after.begin(), after.end());
  oneMore.push_back(makeMelodyNote(2 + 198 + 3, 64, 2, kSopranoSet));
  std::string longer, ending;
  writeMelodySentences(twoHundredMore, longer);
  const auto s = sentences(longer);
  ASSERT_EQ(sizes(s), (std::vector<std::size_t>{199, 200}));
  EXPECT_EQ(s[0].back(), "c0000");
  writeMelodySentences(oneMore, ending);
  const auto t = sentences(ending);
  ASSERT_EQ(sizes(t), (std::vector<std::size_t>{199, 1}));
  EXPECT_EQ(t[1][0], "e9f4");  // key 64, two steps
}

TEST(MelodySentences, OverlappingNotesGiveNoRestAndAnEmptyLineNothing) {
  std::string out;
  writeMelodySentences({}, out);
  EXPECT_EQ(out, "");
  writeMelodySentences(line({{2, 60, 4}, {4, 62, 4}, {9, 64, 1}}), out);
  EXPECT_EQ(out, "f9ec f1ec 40000 e9f8 .\n");
}

TEST(FindPhrase, NeedsFourNotesCloseTogetherAndEndsBeforeAWideGap) {
  EXPECT_FALSE(findPhrase(run(2, 4, 4, 33), 10));  // gaps of 165 x
  const auto p = findPhrase(run(2, 5, 4, 0), 10);
  ASSERT_TRUE(p);
  EXPECT_EQ(p->start, 10);
  EXPECT_EQ(p->end, 110);
  Line withBreak = run(2, 4, 4);
  const Line later = run(60, 4, 4);
  withBreak.insert(withBreak.end(), later.begin(), later.end());
  const auto first = findPhrase(withBreak, 10);
  ASSERT_TRUE(first);
  EXPECT_EQ(first->end, 90);
  EXPECT_EQ(findPhrase(withBreak, 91)->start, 300);
}

TEST(PhrasePairs, AWindowWhoseLowerNotesAllStartBeforeTheUpperPhraseIsWrittenToNeitherFile) {
  const Line lower = line({{2, 48, 4}, {6, 50, 4}, {10, 52, 4}, {14, 53, 4}, {18, 55, 100}});  // one is long
  std::string u, l;
  writePhrasePairs(run(20, 15, 4), lower, u, l);
  EXPECT_EQ(u + l, "");
}

TEST(PhrasePairs, PhrasesTwoHundredApartPairOnlyWhereTheSearchMovedOn) {
  // The upper phrase runs from x 10 to 410 in notes of 25; the lower starts at 210.
  const Line upper = run(2, 16, 5);
  const Line lower = run(42, 16, 5);
  std::string u, l;
  writePhrasePairs(upper, lower, u, l);
  const auto us = sentences(u), ls = sentences(l);
  // The search stepped to x 50: the one pair starts with the upper note at x 60.
  ASSERT_EQ(us.size(), 1u);
  ASSERT_EQ(ls.size(), 1u);
  EXPECT_EQ(us[0][0], "e9e8");
  EXPECT_EQ(ls[0][0], "780000");  // 30 silent steps from x 60 to the lower phrase
}

Line drumHits(const std::vector<int>& steps) {
  Line out;
  for (int st : steps) out.push_back(makeDrumNote(st, 12, 1, 2, 100));
  std::sort(out.begin(), out.end());
  return out;
}

std::vector<Section> sectionsOf(const Line& drums) {
  std::vector<Section> out;
  forEachDrumSection(drums, [&](Section s) { out.push_back(s); });
  return out;
}

TEST(DrumSections, ShortSectionBetweenLongGapsIsDroppedAndALongGrooveIsCutAt640) {
  std::vector<int> steps;
  for (int st = 2; st < 2 + 300; st += 2) steps.push_back(st);  // x 10 .. 1500
  steps.push_back(400);                                          // alone after a long gap
  steps.push_back(402);
  steps.push_back(500);
  const auto s = sectionsOf(drumHits(steps));
  ASSERT_EQ(s.size(), 3u);
  EXPECT_EQ(s[0].start, 10);
  EXPECT_EQ(s[0].end, 645);  // the hit at x 650 reaches 640 and opens the next
  EXPECT_EQ(s[1].start, 650);
  EXPECT_EQ(s[2].start, 1290);
  EXPECT_EQ(s[2].end, 1505);
}

TEST(DrumSections, VoiceAndDrumStepsOfASectionAndTheSilentVoicesRule) {
  std::array<Line, 4> parts;
  parts[kSopranoSet] = run(2, 2, 4);
  parts[kBassSet] = line({{4, 40, 2}}, kBassSet);
  Line drums = drumHits({2, 4, 18});
  drums.push_back(makeDrumNote(4, 3, 1, 3, 120));
  std::sort(drums.begin(), drums.end());
  std::string voices, steps, alone;
  writeDrumSections(parts, drums, voices, steps, alone);
  // Steps 2..18: soprano starts at 2 and 6, bass at 4; a part shows nothing
  // once no note of it starts at or after the step.
  EXPECT_EQ(voices, "1 10 18 10 1 0 0 0 0 0 0 0 0 0 0 0 0 .\n");
  EXPECT_EQ(steps, "800 0 4800 0 0 0 0 0 0 0 0 0 0 0 0 0 800 .\n");
  EXPECT_EQ(alone, steps);

  // A section of 128 steps with silent voices is left out of the paired files only.
  std::vector<int> groove;
  for (int st = 100; st < 228; st += 4) groove.push_back(st);
  voices.clear(), steps.clear(), alone.clear();
  writeDrumSections(parts, drumHits(groove), voices, steps, alone);
  EXPECT_EQ(voices, "");
  EXPECT_EQ(steps, "");
  EXPECT_EQ(sentences(alone).size(), 1u);
}

}  // namespace
}  // namespace quorvel::test
