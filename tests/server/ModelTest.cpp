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

TEST(TinyCorpus, MelodyContinuesTheScaleItLearned) {
  const GenRequest request = requestOf(0, 0, test::scaleCycle(3));  // C D E
  const std::string reply = answerGen(store(), *store().find(0, 0), request, {42, 0});
  ASSERT_EQ(reply.rfind(request.dataText, 0), 0u) << "the reply starts with the echo";
  for (const TokenLine& line : candidatesOf(reply, request.dataText.size())) {
    EXPECT_GT(agreement(line, test::scaleCycle(line.size(), 3)), 0.9);  // F G C D ...
    int steps = 0;
    for (Token t : line) steps += melodySteps(t);
    EXPECT_EQ(steps, 128) << "eight bars of quarters";
  }
}

TEST(TinyCorpus, CounterLineIsTheSixthBelowItLearnedAndFillsThePhrase) {
  const TokenLine top = test::topLine(20, 999);  // not a training line
  const GenRequest request = requestOf(1, 3, top);
  const std::string reply = answerGen(store(), *store().find(1, 3), request, {42, 0});
  for (const TokenLine& line : candidatesOf(reply, 0)) {
    EXPECT_GT(agreement(line, test::sixthBelow(top)), 0.9);
    int steps = 0;
    for (Token t : line) steps += melodySteps(t);
    EXPECT_EQ(steps, 80);
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

TEST(Generation, ASeedFixesTheReplyAndCandidatesDiffer) {
  const GenRequest request = requestOf(0, 1, {});
  const NamedModel& model = *store().find(0, 1);
  const std::string first = answerGen(store(), model, request, {7, 7});
  EXPECT_EQ(first, answerGen(store(), model, request, {7, 7}));
  EXPECT_NE(first, answerGen(store(), model, request, {8, 8}));
  const auto lines = candidatesOf(first, 0);
  for (std::size_t a = 0; a < lines.size(); ++a)
    for (std::size_t b = a + 1; b < lines.size(); ++b) EXPECT_NE(lines[a], lines[b]);
}

// The separate requests of "1to3G" send the same top line; the first
// candidate depends on that line alone so the voices they return agree.
TEST(Generation, FirstCounterCandidateDependsOnTheTopLineOnly) {
  const GenRequest request = requestOf(2, 0, test::topLine(16, 5));
  const NamedModel& model = *store().find(2, 0);
  const auto a = candidatesOf(answerGen(store(), model, request, {1, 0}), 0);
  const auto b = candidatesOf(answerGen(store(), model, request, {2, 0}), 0);
  EXPECT_EQ(a[0], b[0]);
  const auto other = candidatesOf(answerGen(store(), model, requestOf(2, 0, test::topLine(16, 6)), {1, 0}), 0);
  EXPECT_NE(a[0], other[0]);
}

}  // namespace
}  // namespace quorvel::server
