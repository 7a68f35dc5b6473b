// Reply checks, candidate rows, decoding and candidate cycling.
#include <gtest/gtest.h>

#include "netgen/Candidates.h"

namespace quorvel {
namespace {

constexpr int kKey = 60;

TEST(ReplyAcceptable, RefusalsNonAsciiAndOversizedReplies) {
  EXPECT_TRUE(replyAcceptable("f9ec .", RequestType::OneToOne));
  EXPECT_FALSE(replyAcceptable("type error", RequestType::OneToOne));
  EXPECT_FALSE(replyAcceptable("f9ec \xC3\xA9.", RequestType::OneToOne));
  EXPECT_FALSE(replyAcceptable(std::string_view("f9ec \0.", 7), RequestType::OneToOne));
  EXPECT_TRUE(replyAcceptable(std::string(7999, '0'), RequestType::Generator));
  EXPECT_FALSE(replyAcceptable(std::string(8000, '0'), RequestType::Generator));
  EXPECT_TRUE(replyAcceptable(std::string(10239, '0'), RequestType::TwoToOne));
}

TEST(SplitCandidates, FiveRowsAfterTheEchoASixthIgnoredAndNoRowOverItsBuffer) {
  RemoteState state;
  ASSERT_TRUE(splitCandidates(state, "a+b+1 .2 .\n3 .4 .5 .6 .", 4));
  EXPECT_EQ(state.candidateRows[0], "1 .");
  EXPECT_EQ(state.candidateRows[1], "2 .");
  EXPECT_EQ(state.candidateRows[2], "3 .");  // the line feed after a '.' is skipped
  EXPECT_EQ(state.candidateRows[4], "5 .");
  EXPECT_FALSE(splitCandidates(state, std::string(2047, '0') + ".", 0));  // longer than a row's buffer
  EXPECT_TRUE(splitCandidates(state, std::string(2046, '0') + ".", 0));
}

TEST(SplitCandidates, EmptyReplyLeavesNoEarlierCandidate) {
  RemoteState state;
  ASSERT_TRUE(splitCandidates(state, "f9ec .f9ec .", 0));
  ASSERT_TRUE(splitCandidates(state, "echo", 4));
  for (const std::string& row : state.candidateRows) EXPECT_TRUE(row.empty());
  state.lastRequestKind = kKindMelody;
  state.candidateIndex = 0;
  EXPECT_EQ(nextCandidate(state, kKindMelody), kCandidatesExhausted);
}

TEST(DecodeMelody, OnlySpaceTerminatedTokensCountUpToTheTimelineEnd) {
  const auto both = decodeMelodyCandidate("f9ec f9ec .", kSongStartX, 3, kKey, true).value();
  EXPECT_EQ(both.notes, (std::vector<NoteCode>{makeMelodyNote(2, 60, 4, 3), makeMelodyNote(6, 60, 4, 3)}));
  EXPECT_EQ(both.endX, 50);
  EXPECT_EQ(decodeMelodyCandidate("f9ec f9ec.", kSongStartX, 3, kKey, true).value().notes.size(), 1u);
  // Room for one 4-step note (20 x) before the timeline's end, not two.
  EXPECT_EQ(decodeMelodyCandidate("f9ec f9ec f9ec .", kTimelineEndX - 25, 3, kKey, true).value().notes.size(), 1u);
}

TEST(DecodeMelody, LeadingRestSkippedAtTheSongStartAndKeyRestored) {
  // Key note 72: the middle-C token comes back at 72, after the rest when the
  // candidate does not start at the song's beginning.
  // The zero token ends the row.
  EXPECT_EQ(decodeMelodyCandidate("c0000 f9ec 0 f9ec .", kSongStartX, 2, 72, true).value().notes,
            std::vector<NoteCode>{makeMelodyNote(2, 72, 4, 2)});
  EXPECT_EQ(decodeMelodyCandidate("c0000 f9ec .", 100, 2, 72, true).value().notes,
            std::vector<NoteCode>{makeMelodyNote(20 + 3, 72, 4, 2)});
}

TEST(DecodeMelody, GarbageIsRefusedNotDecoded) {
  EXPECT_FALSE(decodeMelodyCandidate("f9ec 1f9ec00000 .", kSongStartX, 3, kKey, true));  // wider than 32 bits
  EXPECT_FALSE(decodeMelodyCandidate("f9ed .", kSongStartX, 3, kKey, true));             // part bits set
  EXPECT_FALSE(decodeMelodyCandidate("3f9ec .", kSongStartX, 3, kKey, true));            // far below the score
  EXPECT_TRUE(decodeMelodyCandidate(".", kSongStartX, 3, kKey, true)->notes.empty());
}

TEST(DecodeDrums, AccentsAndNormalHitsPerStepUntilTheEnd) {
  // Step 0: lane 1 accent (bit 12) and lane 2 normal (bit 1); step 1 empty; step 2: lane 12 normal.
  const auto drums = decodeDrumCandidate("1002 0 800 1 .", kSongStartX, kSongStartX + 15, false).value();
  EXPECT_EQ(drums.accents, std::vector<NoteCode>{(2u << 18) + (1u << 14) + 0xE7F});
  // The step at the end is not read.
  EXPECT_EQ(drums.normal, (std::vector<NoteCode>{(2u << 18) + (2u << 14) + 0xA64, (4u << 18) + (12u << 14) + 0xA64}));
}

TEST(DecodeDrums, LoopRepeatsEachGroupEvery128StepsUpToTheEnd) {
  auto drums = decodeDrumCandidate("1 1 .", kSongStartX, kSongStartX + 5 * 300, true);
  ASSERT_TRUE(drums);
  std::vector<int> starts;
  for (NoteCode c : drums->normal) starts.push_back(noteStart(c));
  EXPECT_EQ(starts, (std::vector<int>{2, 3, 130, 131, 258, 259}));
  EXPECT_FALSE(decodeDrumCandidate("1 x .", kSongStartX, 1000, false));
}

TEST(NextCandidate, WalksTheRowsOfTheSameKindThenAsksAgain) {
  RemoteState state;
  EXPECT_EQ(nextCandidate(state, kKindMelody), kFreshRequest);
  ASSERT_TRUE(splitCandidates(state, "1 .2 .3 .4 .5 .", 0));
  state.lastRequestKind = kKindMelody;
  state.candidateIndex = 0;
  EXPECT_EQ(nextCandidate(state, kKindCounter1to1), kFreshRequest);  // another G function
  for (int row = 1; row <= 4; ++row) {
    EXPECT_EQ(nextCandidate(state, kKindMelody), kShowNextCandidate);
    EXPECT_EQ(state.candidateIndex, row);
  }
  EXPECT_EQ(nextCandidate(state, kKindMelody), kCandidatesExhausted);
  ASSERT_TRUE(splitCandidates(state, "1 .2 .", 0));
  state.candidateIndex = 0;
  EXPECT_EQ(nextCandidate(state, kKindMelody), kShowNextCandidate);
  EXPECT_EQ(nextCandidate(state, kKindMelody), kCandidatesExhausted);  // the first empty row
}

}  // namespace
}  // namespace quorvel
