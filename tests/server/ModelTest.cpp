#include <gtest/gtest.h>

#include <cmath>

#include "TinyCorpus.h"
#include "server/Generation.h"
#include "server/ScheduleFile.h"

namespace quorvel::server {
namespace {

using test::TinyModels;

const TinyModels& tiny() {
  static const TinyModels models;
  return models;
}

const ModelStore& store() {
  static const ModelStore loaded = [] {
    ModelStore s;
    EXPECT_TRUE(s.loadFolder(tiny().folder().string()).empty());
    return s;
  }();
  return loaded;
}

std::vector<TokenLine> candidatesOf(const std::string& reply, std::size_t echo) {
  const auto parsed = parseSchedule(std::string_view(reply).substr(echo), "reply");
  EXPECT_EQ(parsed.error, "");
  EXPECT_EQ(parsed.sentences.size(), static_cast<std::size_t>(kCandidates));
  return parsed.sentences;
}

GenRequest requestOf(int type, int genre, const TokenLine& tokens) {
  GenRequest request{type, genre, static_cast<int>(tokens.size()), "", tokens};
  for (Token t : tokens) {
    appendHex(request.dataText, t);
    request.dataText += '+';
  }
  return request;
}

int stepsOf(const TokenLine& line) {
  int steps = 0;
  for (Token t : line) steps += melodySteps(t);
  return steps;
}

double agreement(const TokenLine& got, const TokenLine& expected) {
  std::size_t same = 0;
  for (std::size_t i = 0; i < std::min(got.size(), expected.size()); ++i) same += got[i] == expected[i];
  return static_cast<double>(same) / std::max<std::size_t>(expected.size(), 1);
}

TEST(BackoffModel, DistributesAllItsMassOverSeenAndUnseenTokens) {
  BackoffModel::Builder builder(2);
  const TokenLine line = test::scaleCycle(30);
  for (std::size_t i = 2; i < line.size(); ++i) builder.add({static_cast<Feature>(line[i - 1]), 7}, line[i]);
  const BackoffModel model = builder.build();
  for (const Features& context : {Features{static_cast<Feature>(line[0]), 7}, Features{12345, 7}, Features{1, 2}}) {
    double total = model.probability(context, 0xABCDE);  // one stand-in for every unseen token
    for (Token t : test::scaleCycle(5)) total += model.probability(context, t);
    EXPECT_NEAR(total, 1.0, 1e-9);
  }
}

TEST(TinyCorpus, MelodyAndCounterLineFollowWhatTheyLearned) {
  const GenRequest request = requestOf(0, 0, test::scaleCycle(3));  // C D E
  const std::string reply = answerGen(store(), *store().find(0, 0), request, {42, 0});
  ASSERT_EQ(reply.rfind(request.dataText, 0), 0u) << "the reply starts with the echo";
  for (const TokenLine& line : candidatesOf(reply, request.dataText.size())) {
    EXPECT_GT(agreement(line, test::scaleCycle(line.size(), 3)), 0.9);  // F G C D ...
    EXPECT_EQ(stepsOf(line), 128) << "eight bars of quarters";
  }

  // The counter line is the sixth below it learned, and fills the phrase.
  const TokenLine top = test::topLine(20, 999);  // not a training line
  const GenRequest counter = requestOf(1, 3, top);
  for (const TokenLine& line : candidatesOf(answerGen(store(), *store().find(1, 3), counter, {42, 0}), 0)) {
    EXPECT_GT(agreement(line, test::sixthBelow(top)), 0.9);
    EXPECT_EQ(stepsOf(line), 80);
  }
}

TEST(TinyCorpus, DrumsFollowTheVoicesAndContinueTheBeat) {
  const TokenLine voices = test::voiceSteps(96, 777);
  const GenRequest underVoices = requestOf(5, 0, voices);
  for (const TokenLine& line : candidatesOf(answerGen(store(), *store().find(5, 0), underVoices, {42, 0}), 0)) {
    ASSERT_EQ(line.size(), voices.size());
    EXPECT_GT(agreement(line, test::kickOnOnsets(voices)), 0.9);
  }
  // One bar, the least the client sends, starting off the downbeat.
  TokenLine bar;
  for (int i = 0; i < 4; ++i) bar.insert(bar.end(), {0x1, 0x400, 0x801, 0});
  const GenRequest beat = requestOf(4, 0, bar);
  for (const TokenLine& line : candidatesOf(answerGen(store(), *store().find(4, 0), beat, {42, 0}), beat.dataText.size())) {
    ASSERT_EQ(line.size(), 128u);
    TokenLine expected;
    for (int i = 0; i < 8; ++i) expected.insert(expected.end(), bar.begin(), bar.end());
    EXPECT_GT(agreement(line, expected), 0.9);
  }
}

// The seed fixes the reply and the candidates differ. The separate requests
// of "1to3G" send the same top line; the first candidate depends on that line
// alone so the voices they return agree.
TEST(Generation, SeedsCandidatesAndTheFirstCounterCandidate) {
  const GenRequest melody = requestOf(0, 1, {});
  const std::string first = answerGen(store(), *store().find(0, 1), melody, {7, 7});
  EXPECT_EQ(first, answerGen(store(), *store().find(0, 1), melody, {7, 7}));
  EXPECT_NE(first, answerGen(store(), *store().find(0, 1), melody, {8, 8}));
  const auto lines = candidatesOf(first, 0);
  for (std::size_t a = 0; a < lines.size(); ++a)
    for (std::size_t b = a + 1; b < lines.size(); ++b) EXPECT_NE(lines[a], lines[b]);

  const NamedModel& counter = *store().find(2, 0);
  const auto counterFirst = [&](unsigned recipe, std::uint64_t seed) {
    return candidatesOf(answerGen(store(), counter, requestOf(2, 0, test::topLine(16, recipe)), {seed, 0}), 0)[0];
  };
  EXPECT_EQ(counterFirst(5, 1), counterFirst(5, 2));
  EXPECT_NE(counterFirst(5, 1), counterFirst(6, 1));
}

}  // namespace
}  // namespace quorvel::server
