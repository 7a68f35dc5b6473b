// Reply checks, candidate rows, decoding and candidate cycling.
#include <gtest/gtest.h>

#include "netgen/Candidates.h"

namespace quorvel {
namespace {

constexpr int kKey = 60;

// Refusals and non-ASCII replies are in the request tests' failure table.
TEST(ReplyAcceptable, NulBytesAndTheSizeLimitOfEachType) {
  EXPECT_TRUE(replyAcceptable("f9ec .", RequestType::OneToOne));
  EXPECT_FALSE(replyAcceptable(std::string_view("f9ec \0.", 7), RequestType::OneToOne));
  EXPECT_TRUE(replyAcceptable(std::string(7999, '0'), RequestType::Generator));
  EXPECT_FALSE(replyAcceptable(std::string(8000, '0'), RequestType::Generator));
  EXPECT_TRUE(replyAcceptable(std::string(10239, '0'), RequestType::TwoToOne));
}

// Garbage the failure table sends, whole rows, the key and the place of the
// notes are in the request tests.
TEST(DecodeMelody, SpaceTerminatedTokensUpToTheTimelineEndALeadingRestAndRefusals) {
  EXPECT_EQ(decodeMelodyCandidate("f9ec f9ec.", kSongStartX, 3, kKey, true).value().notes.size(), 1u);
  // Room for one 4-step note (20 x) before the timeline's end, not two.
  EXPECT_EQ(decodeMelodyCandidate("f9ec f9ec f9ec .", kTimelineEndX - 25, 3, kKey, true).value().notes.size(), 1u);
  // A leading rest counts except at the song's beginning; the zero token ends the row.
  EXPECT_EQ(decodeMelodyCandidate("c0000 f9ec 0 f9ec .", kSongStartX, 2, 72, true).value().notes,
            std::vector<NoteCode>{makeMelodyNote(2, 72, 4, 2)});
  EXPECT_EQ(decodeMelodyCandidate("c0000 f9ec .", 100, 2, 72, true).value().notes,
            std::vector<NoteCode>{makeMelodyNote(20 + 3, 72, 4, 2)});
  EXPECT_FALSE(decodeMelodyCandidate("f9ec 1f9ec00000 .", kSongStartX, 3, kKey, true));  // wider than 32 bits
  EXPECT_FALSE(decodeMelodyCandidate("f9ed .", kSongStartX, 3, kKey, true));             // part bits set
  EXPECT_FALSE(decodeMelodyCandidate("3f9ec .", kSongStartX, 3, kKey, true));            // far below the score
  EXPECT_TRUE(decodeMelodyCandidate(".", kSongStartX, 3, kKey, true)->notes.empty());
}

TEST(DecodeDrums, LoopRepeatsEachGroupEvery128StepsUpToTheEnd) {
  auto drums = decodeDrumCandidate("1 1 .", kSongStartX, kSongStartX + 5 * 300, true);
  ASSERT_TRUE(drums);
  std::vector<int> starts;
  for (NoteCode c : drums->normal) starts.push_back(noteStart(c));
  EXPECT_EQ(starts, (std::vector<int>{2, 3, 130, 131, 258, 259}));
  EXPECT_FALSE(decodeDrumCandidate("1 x .", kSongStartX, 1000, false));
}

// Another G function asking afresh, and a shorter reply's first empty row,
// are in the dispatch and request tests.
TEST(CandidateRows, FiveAfterTheEchoShownInTurnNoneLeftByAnEmptyReplyAndNoneOverItsBuffer) {
  RemoteState state;
  EXPECT_EQ(nextCandidate(state, kKindMelody), kFreshRequest);
  ASSERT_TRUE(splitCandidates(state, "a+b+1 .2 .\n3 .4 .5 .6 .", 4));
  EXPECT_EQ(state.candidateRows, (std::array<std::string, kCandidateRows>{"1 .", "2 .", "3 .", "4 .", "5 ."}));
  state.lastRequestKind = kKindMelody;
  state.candidateIndex = 0;
  for (int row = 1; row <= 4; ++row) {
    EXPECT_EQ(nextCandidate(state, kKindMelody), kShowNextCandidate);
    EXPECT_EQ(state.candidateIndex, row);
  }
  EXPECT_EQ(nextCandidate(state, kKindMelody), kCandidatesExhausted);

  ASSERT_TRUE(splitCandidates(state, "echo", 4));
  for (const std::string& row : state.candidateRows) EXPECT_TRUE(row.empty());
  state.candidateIndex = 0;
  EXPECT_EQ(nextCandidate(state, kKindMelody), kCandidatesExhausted);

  EXPECT_FALSE(splitCandidates(state, std::string(2047, '0') + ".", 0));  // longer than a row's buffer
  EXPECT_TRUE(splitCandidates(state, std::string(2046, '0') + ".", 0));
}

}  // namespace
}  // namespace quorvel
