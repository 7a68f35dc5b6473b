// "List Update" on the Options window's "AI Type" page, against a server on
// loopback.
#include <gtest/gtest.h>

#include <memory>

#include "LoopbackServer.h"
#include "app/AppContext.h"
#include "app/OptionsModel.h"
#include "netgen/adapters/CppRestHttpClient.h"
#include "settings/RecordingListener.h"
#include "settings/Utf16.h"
#include "support/FakeUi.h"

namespace quorvel {
namespace {

class AiTypeListUpdate : public ::testing::Test {
 protected:
  void connectTo(const ServerAddress& address) {
    app.remoteClient =
        std::make_unique<RemoteClient>(address, std::make_shared<CppRestHttpClient>(std::chrono::seconds(2)));
  }
  std::string generatorEntry(int e) const {
    return slotText(app.score.settings.aiTypes[0].entries[static_cast<std::size_t>(e)]);
  }

  test::FakeUi ui;
  AppContext app{ui};
  test::RecordingListener listener;
  OptionsModel model{app, listener};
  std::string genres = "0chorales,3jazz 0a 0b 0c 0drums 0md";
};

TEST_F(AiTypeListUpdate, TheServersListsFillTheBoxesOnceAndOnEveryUpdate) {
  test::LoopbackServer server([this](const std::string&) { return test::ScriptedReply{genres}; });
  connectTo(server.address());
  app.score.settings.aiTypes[0].selected = 0;

  const auto first = model.refreshAiTypes(false);
  ASSERT_TRUE(first.has_value());
  EXPECT_EQ(first->at(0).entries, (std::vector<std::string>{"0chorales", "3jazz"}));
  EXPECT_EQ(first->at(4).entries, std::vector<std::string>{"0drums"});  // the boxes follow the lists
  EXPECT_FALSE(model.refreshAiTypes(false).has_value());  // the page was filled once already

  genres = "3jazz,5new 0a 0b 0c 0drums 0md";
  app.score.settings.aiTypes[0].selected = 1;  // "3jazz" chosen
  const auto updated = model.refreshAiTypes(true);
  ASSERT_TRUE(updated.has_value());
  EXPECT_EQ(updated->at(0).entries, (std::vector<std::string>{"3jazz", "5new"}));
  EXPECT_EQ(updated->at(0).selected, 0);  // the choice follows its genre number
  EXPECT_EQ(model.edits().aiSelected[0], 0);
  EXPECT_EQ(model.dirty(), 0);  // new lists are not an edit
  EXPECT_EQ(server.targets().size(), 3u);
}

TEST_F(AiTypeListUpdate, WithoutAClientNothingIsAskedAndWithoutAnAnsweringServerTheListsStayAsTheyWere) {
  EXPECT_FALSE(model.refreshAiTypes(true).has_value());
  connectTo({"127.0.0.1", test::freeLoopbackPort()});
  storeSlotText(app.score.settings.aiTypes[0].entries[0], "0stored");
  app.score.settings.aiTypes[0].count = 1;

  const auto shown = model.refreshAiTypes(true);
  ASSERT_TRUE(shown.has_value());
  EXPECT_EQ(shown->at(0).entries, std::vector<std::string>{"0stored"});
  EXPECT_EQ(generatorEntry(0), "0stored");
  EXPECT_TRUE(ui.messages().empty());  // silent, as the G buttons are not involved
}

}  // namespace
}  // namespace quorvel
