#pragma once
// A song, a scripted user and a G-mode environment talking to a loopback
// server over real HTTP.
#include <gtest/gtest.h>

#include <memory>

#include "LoopbackServer.h"
#include "generator/DrumLibrary.h"
#include "netgen/NeuralEnv.h"
#include "netgen/adapters/CppRestHttpClient.h"
#include "support/FakeUi.h"

namespace quorvel::test {

// Every note set that holds song material, to compare before and after.
inline std::vector<NoteSet> songSets(const Score& score) {
  std::vector<NoteSet> sets;
  for (int i = kBassSet; i <= kDrumsView; ++i) sets.push_back(score.noteSets[static_cast<std::size_t>(i)]);
  return sets;
}

class NeuralFixture : public ::testing::Test {
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

}  // namespace quorvel::test
