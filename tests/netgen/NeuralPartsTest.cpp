// keepLongestAtOnset, the server address and the server child process.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <thread>

#include "LoopbackServer.h"
#include "netgen/NeuralFunctions.h"
#include "netgen/adapters/CppRestHttpClient.h"
#include "netgen/adapters/LocalServerProcess.h"
#include "settings/TempFolder.h"
#include "support/FakeUi.h"

namespace quorvel::test {
namespace {

TEST(KeepLongestAtOnset, EachStartKeepsItsLongestNoteAsOneUndoStep) {
  Score score;
  const NoteCode shortHigh = makeMelodyNote(3, 74, 2, 1), longLow = makeMelodyNote(3, 60, 6, 1);
  const NoteCode equalHigh = makeMelodyNote(10, 70, 4, 1), equalLow = makeMelodyNote(10, 65, 4, 1);
  const NoteCode early = makeMelodyNote(1, 60, 1, 1), earlyTwin = makeMelodyNote(1, 62, 3, 1);
  for (NoteCode c : {shortHigh, longLow, equalHigh, equalLow, early, earlyTwin}) addNote(score, 1, c);
  keepLongestAtOnset(score, 1, 15);  // from step 3: the pair at step 1 stays
  EXPECT_EQ(score.noteSets[1], (NoteSet{early, earlyTwin, longLow, equalHigh}));
  EXPECT_EQ(score.noteSets[kMelodyView], score.noteSets[1]);
  FakeUi ui;
  score.settings.parts.editPart = 1;
  undo(score, ui);
  EXPECT_EQ(score.noteSets[1].size(), 6u);
}

TEST(ServerAddress, HostAndPortFromText) {
  EXPECT_EQ(parseServerAddress("gen.example:8080")->host, "gen.example");
  EXPECT_EQ(parseServerAddress("[::1]:44218")->port, 44218);
  EXPECT_TRUE(parseServerAddress("[::1]:44218")->isThisMachine());
  EXPECT_FALSE(parseServerAddress("host"));
  EXPECT_FALSE(parseServerAddress("host:0"));
  EXPECT_FALSE(parseServerAddress("host:99999"));
  EXPECT_FALSE(parseServerAddress("a/b:80"));
}

// The server program replaced by a script that records where and how it was
// started and then waits to be stopped, without ever answering.
TEST(LocalServerProcess, StartsBesideTheProgramAndIsStoppedAgain) {
  const TempFolder folder;
  const std::filesystem::path& dir = folder.path();
  std::ofstream(dir / kServerProgramName) << "#!/bin/sh\necho \"$PWD $*\" > started.txt\nexec sleep 30\n";
  std::filesystem::permissions(dir / kServerProgramName, std::filesystem::perms::owner_all);
  const int port = freeLoopbackPort();
  auto http = std::make_shared<CppRestHttpClient>(std::chrono::milliseconds(200));
  LocalServerProcess server(dir, http, std::chrono::milliseconds(600));
  EXPECT_FALSE(server.start({"127.0.0.1", port}));  // it never answers
  std::string started;
  std::getline(std::ifstream(dir / "started.txt"), started);
  EXPECT_EQ(started, dir.string() + " --listen 127.0.0.1:" + std::to_string(port));
  server.stop();
}

TEST(RemoteClient, StartsTheLocalServerOnceWhenNothingAnswers) {
  // Stands in for the child process: a loopback listener on the address asked.
  struct ListenerStarter : LocalServer {
    int starts = 0;
    std::unique_ptr<LoopbackServer> listener;
    bool start(const ServerAddress& address) override {
      ++starts;
      listener = std::make_unique<LoopbackServer>([](const std::string&) { return ScriptedReply{"0 1 2 3 4 5"}; },
                                                  address.port);
      return true;
    }
    void stop() override { listener.reset(); }
  };
  auto owned = std::make_unique<ListenerStarter>();
  ListenerStarter& starter = *owned;
  const ServerAddress address{"127.0.0.1", freeLoopbackPort()};
  RemoteClient client(address, std::make_shared<CppRestHttpClient>(), std::move(owned));
  const HttpReply reply = client.get(aiTypesUrl(address));
  EXPECT_TRUE(reply.ok());
  EXPECT_EQ(reply.body, "0 1 2 3 4 5");
  starter.stop();
  EXPECT_EQ(client.get(aiTypesUrl(address)).outcome, HttpReply::Outcome::Unreachable);
  EXPECT_EQ(starter.starts, 1);
}

}  // namespace
}  // namespace quorvel::test
