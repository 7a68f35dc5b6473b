// Drum models on songs made by a recipe: each song loops its own bar, and
// held-out songs loop bars the training songs never played.
#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "server/Evaluation.h"
#include "server/LineModel.h"

namespace quorvel::server {
namespace {

constexpr Token kKick = 0x1, kSnare = 0x8, kHat = 0x20;
constexpr Token accented(Token lanes) { return lanes << 12; }

// A bar of sixteenths: kicks where the recipe puts them, snares on the
// backbeat (accented in some songs), hats on eighths or on every step.
TokenLine bar(unsigned recipe) {
  std::mt19937 draw(recipe);
  TokenLine steps(16, 0);
  const Token snare = draw() % 2 ? accented(kSnare) : kSnare;
  const bool busyHats = draw() % 2;
  for (int i = 0; i < 16; ++i) {
    if (busyHats || i % 2 == 0) steps[i] |= kHat;
    if (i == 0 || (i % 4 != 0 && draw() % 5 == 0)) steps[i] |= kKick;
    if (i == 4 || i == 12) steps[i] |= snare;
  }
  return steps;
}

TokenLine song(const TokenLine& loop, int bars, std::size_t from = 0) {
  TokenLine line;
  for (std::size_t i = 0; i < loop.size() * bars; ++i) line.push_back(loop[(from + i) % loop.size()]);
  return line;
}

std::vector<SentencePair> songs(unsigned firstRecipe, unsigned count) {
  std::vector<SentencePair> pairs;
  for (unsigned r = firstRecipe; r < firstRecipe + count; ++r) pairs.push_back({{}, song(bar(r), 8)});
  return pairs;
}

TEST(DrumModel, HeldOutSongsScoreNoWorseThanTheBaselines) {
  const auto train = songs(0, 24), heldOut = songs(1000, 6);
  const LineModel model = LineModel::train(4, Shape::Continuation, defaultOrder(4), train);
  const LineModel bigram = LineModel::train(4, Shape::Continuation, 1, train);
  const LineModel unigram = LineModel::train(4, Shape::Continuation, 0, train);
  for (const auto ownPast : {LineModel::OwnPast::Learn, LineModel::OwnPast::Ignore}) {
    const double bits = bitsPerToken(model, heldOut, ownPast);
    EXPECT_LE(bits, bitsPerToken(bigram, heldOut, ownPast));
    EXPECT_LE(bits, bitsPerToken(unigram, heldOut, ownPast));
  }
}

// Songs accent snares but never kicks: an accented kick is still a kick, far
// likelier than a hit on a lane no song plays.
TEST(DrumModel, AnAccentOnALaneTheSongsNeverAccentedCountsAsThatLanePlayed) {
  const LineModel model = LineModel::train(4, Shape::Continuation, defaultOrder(4), songs(0, 24));
  const TokenLine start{kKick | kHat, 0, kHat};
  auto logProbability = [&](Token last) {
    TokenLine line = start;
    line.push_back(last);
    return model.score({{}, line}).logProbability;
  };
  constexpr Token kUnplayedLane = 0x800;
  EXPECT_GT(logProbability(accented(kKick) | kHat), logProbability(kUnplayedLane | kHat) + std::log(10.0));
}

// The client sends the bars before the point to continue from, starting
// anywhere in a bar: the continuation keeps that song's groove, one unlike
// any the model learned (hats off the beat, kicks pushed), and its place.
TEST(DrumModel, ContinuationKeepsTheGrooveAndBarOfItsContext) {
  const LineModel model = LineModel::train(4, Shape::Continuation, defaultOrder(4), songs(0, 24));
  TokenLine groove(16, 0);
  for (int i = 1; i < 16; i += 2) groove[i] |= kHat;
  for (int i : {0, 3, 6, 10}) groove[i] |= kKick;
  groove[8] |= accented(kSnare);
  const TokenLine context = song(groove, 2, 6);
  for (std::uint64_t seed = 1; seed <= 3; ++seed) {
    Rng rng(seed);
    const TokenLine line = model.generate(context, rng);
    const TokenLine expected = song(groove, 8, 6 + context.size());
    ASSERT_EQ(line.size(), expected.size());
    std::size_t same = 0;
    for (std::size_t i = 0; i < line.size(); ++i) same += line[i] == expected[i];
    EXPECT_GT(static_cast<double>(same) / line.size(), 0.8) << "seed " << seed;
  }
}

}  // namespace
}  // namespace quorvel::server
