// The G buttons against the reference server and the models it ships: both
// sides of the protocol, end to end over loopback, as a user runs them.
#include <gtest/gtest.h>

#include <memory>

#include "app/AppContext.h"
#include "app/CommandIds.h"
#include "netgen/AiTypes.h"
#include "netgen/adapters/CppRestHttpClient.h"
#include "server/ServerProcess.h"
#include "support/FakeUi.h"

namespace quorvel::test {
namespace {

class ShippedServerTest : public ::testing::Test {
 protected:
  ShippedServerTest() {
    app.remoteClient = std::make_unique<RemoteClient>(ServerAddress{"127.0.0.1", server.port()},
                                                      std::make_shared<CppRestHttpClient>());
  }
  std::size_t notesIn(int set) const { return app.score.noteSets[static_cast<std::size_t>(set)].size(); }

  ServerProcess server{QUORVEL_MODELS_DIR, {"--seed", "7"}};
  FakeUi ui;
  AppContext app{ui};
};

TEST_F(ShippedServerTest, EveryModeWritesMusicFromTheShippedModels) {
  ASSERT_TRUE(server.ready()) << server.log();
  ASSERT_TRUE(requestAiTypes(*app.remoteClient, app.score.settings.aiTypes));
  for (const AiTypeList& list : app.score.settings.aiTypes) EXPECT_GT(list.count, 0);

  ASSERT_EQ(dispatch(app, cmd::k0to1G), 0);
  EXPECT_GT(notesIn(kSopranoSet), 8u);
  for (int command : {cmd::k1to1G, cmd::k1to2G, cmd::k1to3G}) {
    app.score.settings.parts.editPart = kSopranoSet;
    ASSERT_EQ(dispatch(app, command), 0) << command;
  }
  for (int part = kBassSet; part <= kSopranoSet; ++part) {
    SCOPED_TRACE(part);
    EXPECT_GT(notesIn(part), 4u);
    for (NoteCode c : app.score.noteSets[static_cast<std::size_t>(part)]) {
      EXPECT_GE(melodyKey(c), 24);
      EXPECT_LE(melodyKey(c), 108);
      EXPECT_LT(noteStart(c), kTimelineEndStep);
    }
  }
  ASSERT_EQ(dispatch(app, cmd::kNtoDG), 0);
  EXPECT_GT(notesIn(kDrumsView), 4u);
  EXPECT_TRUE(ui.messages().empty()) << ui.messages().front().text;
}

}  // namespace
}  // namespace quorvel::test
