// The G functions against a real HTTP server on loopback: a song, a scripted
// user and a G-mode environment.
#include <gtest/gtest.h>

#include <memory>
#include <thread>

#include "LoopbackServer.h"
#include "generator/DrumLibrary.h"
#include "netgen/NeuralCommands.h"
#include "netgen/NeuralEnv.h"
#include "netgen/NeuralFunctions.h"
#include "netgen/adapters/CppRestHttpClient.h"
#include "support/FakeUi.h"

namespace quorvel::test {
namespace {

constexpr const char* kFailed = "Failed to connect to the server.";

// Every note set that holds song material, to compare before and after.
std::vector<NoteSet> songSets(const Score& score) {
  std::vector<NoteSet> sets;
  for (int i = kBassSet; i <= kDrumsView; ++i) sets.push_back(score.noteSets[static_cast<std::size_t>(i)]);
  return sets;
}

class NeuralRequestTest : public ::testing::Test {
 protected:
  // Replies come from `reply`, which tests change as they go.
  void startServer() {
    server = std::make_unique<LoopbackServer>([this](const std::string& target) {
      std::lock_guard lock(replyMutex);
      return reply(target);
    });
    connectTo(server->address());
  }
  void connectTo(const ServerAddress& address, std::chrono::milliseconds timeout = std::chrono::seconds(5)) {
    env.reset();
    client = std::make_unique<RemoteClient>(address, std::make_shared<CppRestHttpClient>(timeout));
    env = std::make_unique<NeuralEnv>(NeuralEnv{local, remote, *client, {}, {}, {}});
  }
  void replyWith(std::string body, std::chrono::milliseconds delay = std::chrono::milliseconds(0)) {
    std::lock_guard lock(replyMutex);
    reply = [body, delay](const std::string&) { return ScriptedReply{body, 200, delay}; };
  }
  void writeMelody(int part, int firstStep, int count, int key = 72) {
    for (int i = 0; i < count; ++i) addNote(score, part, makeMelodyNote(firstStep + 4 * i, key + (i % 3), 4, part));
  }
  const NoteSet& part(int index) const { return score.noteSets[static_cast<std::size_t>(index)]; }
  std::vector<std::string> messages() const {
    std::vector<std::string> texts;
    for (const ShownMessage& m : ui.messages()) texts.push_back(m.text);
    return texts;
  }

  FakeUi ui;
  Score score;
  Random random;
  GenerationState state;
  DrumLibrary drums;
  GenerationEnv local{score, ui, random, state, drums, [] { return 0; }, [] { return std::int64_t{1234}; }};
  RemoteState remote;
  std::mutex replyMutex;
  std::function<ScriptedReply(const std::string&)> reply = [](const std::string&) { return ScriptedReply{"ty"}; };
  std::unique_ptr<LoopbackServer> server;
  std::unique_ptr<RemoteClient> client;
  std::unique_ptr<NeuralEnv> env;
};

// The first reply is slow: the window thread keeps pumping meanwhile.
TEST_F(NeuralRequestTest, MelodyFromAnEmptySongThenTheNextCandidatesThenANewRequest) {
  startServer();
  replyWith("f9ec f9ec .\nf1ec .", std::chrono::milliseconds(400));
  ASSERT_EQ(runNeuralGeneration(*env, "0to1G"), 0);
  EXPECT_GE(ui.pumps(), 20);  // one every few milliseconds while the request ran
  EXPECT_EQ(ui.progressOpenings().size(), 1u);
  EXPECT_FALSE(ui.progressOpen());
  EXPECT_EQ(server->targets(), (std::vector<std::string>{"/gen?type=0&genre=0&len=0&data="}));
  // Key note 72: the middle-C tokens come back at 72, from the song's start.
  EXPECT_EQ(part(3), (NoteSet{makeMelodyNote(2, 72, 4, 3), makeMelodyNote(6, 72, 4, 3)}));
  EXPECT_EQ(score.noteSets[kSelection], part(3));
  EXPECT_TRUE(score.hasFlag(kFlagUntouchedResult));

  ASSERT_EQ(runNeuralGeneration(*env, "0to1G"), 0);  // the second candidate in place of the first
  EXPECT_EQ(part(3), (NoteSet{makeMelodyNote(2, 74, 4, 3)}));
  EXPECT_EQ(server->targets().size(), 1u);

  replyWith("f9ec .");
  ASSERT_EQ(runNeuralGeneration(*env, "0to1G"), 0);  // no third candidate: ask again
  EXPECT_EQ(server->targets().size(), 2u);
  EXPECT_EQ(part(3), (NoteSet{makeMelodyNote(2, 72, 4, 3)}));
  EXPECT_TRUE(ui.messages().empty());
}

TEST_F(NeuralRequestTest, ExtendingSendsTheContextAndSkipsTheEcho) {
  startServer();
  score.settings.melody[kExtendExisting] = 10;
  writeMelody(3, 2, 4);  // edited material at key 72: kept, sent from middle C
  const NoteSet before = part(3);
  // The echo of "f9ec+f5ec+f1ec+f9ec+" is 20 characters long.
  replyWith("f9ec+f5ec+f1ec+f9ec+f9ec .f5ec .");
  ASSERT_EQ(runNeuralGeneration(*env, "0to1G"), 0);
  ASSERT_EQ(server->targets().size(), 1u);
  EXPECT_EQ(server->targets()[0], "/gen?type=0&genre=0&len=4&data=f9ec+f5ec+f1ec+f9ec+");
  NoteSet expected = before;
  expected.insert(makeMelodyNote(18, 72, 4, 3));  // after the last note, which ends at step 18
  EXPECT_EQ(part(3), expected);
  EXPECT_EQ(score.cueIndicator.load(), 90);

  // Again: the next candidate replaces the shown one; the melody it extends stays.
  ASSERT_EQ(runNeuralGeneration(*env, "0to1G"), 0);
  expected = before;
  expected.insert(makeMelodyNote(18, 73, 4, 3));
  EXPECT_EQ(part(3), expected);
  EXPECT_EQ(server->targets().size(), 1u);
}

// Closing the progress window abandons the request without a message.
TEST_F(NeuralRequestTest, EveryFailureShowsItsMessageAndLeavesTheSongAsItWas) {
  score.settings.melody[kExtendExisting] = 10;
  writeMelody(3, 2, 8);
  addNote(score, kDrumSet3, makeDrumNote(2, 1, 4, 3, 127));
  const auto before = songSets(score);
  struct Failure {
    const char* what;
    ScriptedReply reply;  // candidates come after the echo of the request's data
    std::chrono::milliseconds timeout{5000};
    bool refused = false;
    bool cancelled = false;
  };
  const std::vector<Failure> failures{
      {"refusal", {"ty: no model"}},
      {"garbage", {"f9ec zz ."}},
      {"non-ASCII", {"f9ec \xC3\xA9 ."}},
      {"note outside the score", {"1ec ."}},
      {"oversized", {std::string(8000, '0')}},
      {"HTTP error", {"f9ec .", 500}},
      {"time-out", {"f9ec .", 200, std::chrono::milliseconds(1500)}, std::chrono::milliseconds(200)},
      {"refused connection", {"f9ec ."}, std::chrono::milliseconds(5000), true},
      {"progress window closed", {"f9ec .", 200, std::chrono::milliseconds(300)}, std::chrono::milliseconds(5000),
       false, true},
  };
  startServer();
  for (const Failure& f : failures) {
    SCOPED_TRACE(f.what);
    {
      std::lock_guard lock(replyMutex);
      reply = [scripted = f.reply](const std::string& target) {
        ScriptedReply echoed = scripted;
        if (!scripted.body.starts_with("ty")) echoed.body = target.substr(target.find("&data=") + 6) + scripted.body;
        return echoed;
      };
    }
    connectTo(f.refused ? ServerAddress{"127.0.0.1", freeLoopbackPort()} : server->address(), f.timeout);
    ui.clearRecords();
    if (f.cancelled) ui.cancelProgressWhenOpen();
    runNeuralGeneration(*env, "0to1G");
    EXPECT_EQ(messages(), f.cancelled ? std::vector<std::string>{} : std::vector<std::string>{kFailed});
    EXPECT_EQ(songSets(score), before);
    EXPECT_EQ(remote.candidateIndex, kNoCandidate);
  }
}

TEST_F(NeuralRequestTest, CounterLineFromTheEditPartsPhraseIntoThePartBelow) {
  startServer();
  writeMelody(3, 2, 8);
  score.settings.counterNn.quantizeRate[0] = 0.0;
  replyWith("f9ec f9dc .");
  ASSERT_EQ(runNeuralGeneration(*env, "1to1G"), 0);
  ASSERT_EQ(server->targets().size(), 1u);
  EXPECT_EQ(server->targets()[0], "/gen?type=1&genre=0&len=8&data=f9ec+f5ec+f1ec+f9ec+f5ec+f1ec+f9ec+f5ec+");
  EXPECT_EQ(part(2), (NoteSet{makeMelodyNote(2, 72, 4, 2), makeMelodyNote(6, 72, 8, 2)}));
  EXPECT_EQ(score.editPart(), 3);
  EXPECT_TRUE(score.noteSets[kSelection].empty());

  ui.clearRecords();
  removeSet(score, 3);
  writeMelody(3, 2, 3);  // too short for a phrase
  remote.lastRequestKind = kKindNone;  // a fresh request (after used-up candidates it is sent anyway)
  EXPECT_EQ(runNeuralGeneration(*env, "1to1G"), -1);
  EXPECT_EQ(messages(), std::vector<std::string>{"Not enough source parts."});
  EXPECT_EQ(server->targets().size(), 1u);
}

TEST_F(NeuralRequestTest, DrumsAfterTheExistingDrumsAndAlongTheParts) {
  startServer();
  score.settings.generatorNn.quantizeRate = {0, 0, 0};
  score.settings.generatorNn.shuffleRate = {0, 0, 0};
  score.settings.melody[kMelodyLength] = 4;  // 80 x of drums
  replyWith("1001 0 2 .");
  ASSERT_EQ(runNeuralGeneration(*env, "0toDG"), 0);
  EXPECT_EQ(server->targets().back(), "/gen?type=4&genre=0&len=0&data=");
  // An accent bit wins over the normal bit of the same lane.
  EXPECT_EQ(score.noteSets[kDrumSet3], (NoteSet{makeDrumNote(2, 1, 4, 3, 127)}));
  EXPECT_EQ(score.noteSets[kDrumSet3 - 1], (NoteSet{makeDrumNote(4, 2, 4, 2, 100)}));

  writeMelody(3, 2, 16);
  writeMelody(0, 2, 16, 48);
  replyWith("1 1 1 .");
  ASSERT_EQ(runNeuralGeneration(*env, "NtoDG"), 0);
  ASSERT_TRUE(server->targets().back().starts_with("/gen?type=5&genre=0&len=61&data=9+90+90+90+9+"));
  EXPECT_EQ(score.noteSets[kDrumSet3 - 1].size(), 3u);
  EXPECT_TRUE(score.noteSets[kDrumSet3].empty());
}

}  // namespace
}  // namespace quorvel::test
