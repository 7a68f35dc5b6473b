// Every G mode through the command table, against a loopback server that
// answers each request type the way the reference server does.
#include <gtest/gtest.h>

#include "LoopbackServer.h"
#include "app/AppContext.h"
#include "app/CommandIds.h"
#include "netgen/adapters/CppRestHttpClient.h"
#include "support/FakeUi.h"

namespace quorvel::test {
namespace {

// The type and data of a "/gen" target.
int typeOf(const std::string& target) { return target[std::string("/gen?type=").size()] - '0'; }
std::string dataOf(const std::string& target) { return target.substr(target.find("&data=") + 6); }

ScriptedReply serverReply(const std::string& target) {
  const int type = typeOf(target);
  const std::string echo = type == 0 || type == 4 ? dataOf(target) : "";
  const std::string candidates = type >= 4 ? "1 0 1001 0 .1 ." : "f9ec f5ec f1ec f9ec .f9ec .";
  return {echo + candidates};
}

class GModesDispatchTest : public ::testing::Test {
 protected:
  GModesDispatchTest() {
    app.remoteClient = std::make_unique<RemoteClient>(server.address(), std::make_shared<CppRestHttpClient>());
    app.score.settings.counterNn.quantizeRate = {};
    app.score.settings.generatorNn.quantizeRate = {};
    app.score.settings.generatorNn.shuffleRate = {};
  }
  void writeLine(int part, int count = 8) {
    for (int i = 0; i < count; ++i) addNote(app.score, part, makeMelodyNote(2 + 4 * i, 60 + 12 * (part - 1), 4, part));
  }
  std::vector<int> types() const {
    std::vector<int> out;
    for (const std::string& t : server.targets()) out.push_back(typeOf(t));
    return out;
  }
  std::size_t notesIn(int set) const { return app.score.noteSets[static_cast<std::size_t>(set)].size(); }

  LoopbackServer server{serverReply};
  FakeUi ui;
  AppContext app{ui};
};

TEST_F(GModesDispatchTest, CounterModesWriteTheirPartsWithTheirRequestTypes) {
  struct Case {
    int command;
    std::vector<int> filledBelow;  // parts written before, below the soprano
    std::vector<int> types;
    std::vector<int> writtenParts;
  };
  const std::vector<Case> cases{
      {cmd::k1to1G, {}, {1}, {2}},
      {cmd::k2to1G, {2}, {2}, {1}},
      {cmd::k3to1G, {2, 1}, {3}, {0}},
      {cmd::k1to2G, {}, {1, 2}, {2, 1}},
      {cmd::k1to3G, {}, {1, 2, 3}, {2, 1, 0}},
      {cmd::k2to2G, {2}, {2, 3}, {1, 0}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.command);
    clearMelodies(app.score, ui);
    writeLine(3);
    for (int part : c.filledBelow) writeLine(part);
    const std::size_t before = server.targets().size();
    ASSERT_EQ(dispatch(app, c.command), 0);
    std::vector<int> sent = types();
    sent.erase(sent.begin(), sent.begin() + static_cast<long>(before));
    EXPECT_EQ(sent, c.types);
    for (int part : c.writtenParts) EXPECT_EQ(notesIn(part), 4u) << "part " << part;
    EXPECT_EQ(app.score.editPart(), 3);
  }
  EXPECT_TRUE(ui.messages().empty());
}

TEST_F(GModesDispatchTest, MelodyAndDrumModes) {
  ASSERT_EQ(dispatch(app, cmd::k0to1G), 0);
  EXPECT_EQ(notesIn(3), 4u);
  ASSERT_EQ(dispatch(app, cmd::k0toDG), 0);
  EXPECT_EQ(notesIn(kDrumSet3), 1u);      // lane 1 accent at the third step
  EXPECT_EQ(notesIn(kDrumSet3 - 1), 1u);  // lane 1 at the first
  writeLine(1);
  ASSERT_EQ(dispatch(app, cmd::kNtoDG), 0);
  EXPECT_EQ(types(), (std::vector<int>{0, 4, 5}));
  EXPECT_EQ(notesIn(kDrumsView), 2u);
  EXPECT_TRUE(app.score.drumsEditMode());
}

TEST_F(GModesDispatchTest, OptionsButtonsFollowTheNeuralSettings) {
  MelodySettings& settings = app.score.settings.melody;
  settings[kNnMelody] = 10;
  settings[kEvokedLines] = 2;  // 0:3: the melody, then "1to2G" below it
  ASSERT_EQ(dispatch(app, cmd::kZeroToN), 0);
  EXPECT_EQ(types(), (std::vector<int>{0, 1, 2}));
  EXPECT_EQ(notesIn(3), 4u);
  EXPECT_EQ(notesIn(2), 4u);
  EXPECT_EQ(notesIn(1), 4u);

  settings[kNnMelody] = 0;
  settings[kCounterLines] = 1;  // "2:1" exists only on the server
  app.ops.resetRemoteAlternatives(app);  // else "2to1G" would show the chain's next candidate
  ASSERT_EQ(dispatch(app, cmd::kNToN), 0);
  EXPECT_EQ(types().size(), 4u);
  EXPECT_EQ(types().back(), 2);
  EXPECT_EQ(notesIn(1), 4u);
}

TEST_F(GModesDispatchTest, RefusalsOfTheCounterCommand) {
  writeLine(3);
  writeLine(1);
  app.score.settings.parts.editPart = 1;
  EXPECT_EQ(dispatch(app, cmd::k3to1G), -1);
  app.score.settings.parts.editPart = 3;
  EXPECT_EQ(dispatch(app, cmd::k2to1G), -1);  // the alto holds no notes
  app.score.settings.parts.editPart = 2;
  EXPECT_EQ(dispatch(app, cmd::k1to1G), -1);
  EXPECT_EQ(ui.messages().size(), 3u);
  EXPECT_TRUE(server.targets().empty());
}

}  // namespace
}  // namespace quorvel::test
