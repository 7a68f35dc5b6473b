// The main window with note preview, "MIDI Input" and the Options command
// wired as the program wires them, on Qt's offscreen platform.
#include "ui/RealtimeHost.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QTest>
#include <memory>

#include "app/AppContext.h"
#include "app/AppSettingsListener.h"
#include "app/CommandIds.h"
#include "app/RealtimeInput.h"
#include "playback/RecordingMidiOut.h"
#include "ui/MainWindow.h"
#include "ui/OptionsWindow.h"
#include "ui/QtUi.h"

namespace quorvel {
namespace {

// A machine without MIDI keyboards.
class NoPorts : public MidiInput {
 public:
  std::vector<std::string> portNames() override { return {}; }
  int open(const std::string&, MidiInputHandler) override { return -1; }
  void close() override {}
};

class RealtimeHostTest : public ::testing::Test {
 protected:
  RealtimeHostTest() {
    app.score.keyBase = 60;
    wireRealtimeInput(app, preview);
    window = std::make_unique<MainWindow>(app);
    ui.attach(window.get());
    host = std::make_unique<RealtimeHost>(app, preview, *window, ports);
    bindOptionsWindow(app, listener, *window);
    window->show();
  }

  QtUi ui;
  AppContext app{ui};
  AppSettingsListener listener{app};
  std::shared_ptr<MessageLog> log = std::make_shared<MessageLog>();
  RecordingMidiOut sink{log};
  NotePreview preview{app.score, ui, {[this](std::uint32_t m) { sink.send(m); }, {}}};
  NoPorts ports;
  std::unique_ptr<MainWindow> window;
  std::unique_ptr<RealtimeHost> host;
};

TEST_F(RealtimeHostTest, TheComputerKeyboardPlaysThroughTheWindow) {
  QTest::keyPress(window.get(), Qt::Key_H);
  QTest::keyRelease(window.get(), Qt::Key_H);
  EXPECT_EQ(log->messages(), (std::vector<std::uint32_t>{0x90u | 60u << 8 | 100u << 16, 0x80u | 60u << 8 | 1u << 16}));
}

TEST_F(RealtimeHostTest, WithoutPortsTheMidiInputMenuSaysSo) {
  const auto actions = host->midiInputMenu()->actions();
  ASSERT_EQ(actions.size(), 1);
  EXPECT_EQ(actions[0]->text(), QStringLiteral("No MIDI input port"));
  EXPECT_FALSE(actions[0]->isEnabled());
}

TEST_F(RealtimeHostTest, OptionsOpensOneWindowThatIsShownAgainAfterOk) {
  EXPECT_EQ(dispatch(app, cmd::kOptions), 0);
  auto* options = window->findChild<OptionsWindow*>();
  ASSERT_NE(options, nullptr);
  EXPECT_TRUE(options->isVisible());
  options->pressOk();
  EXPECT_FALSE(options->isVisible());
  EXPECT_EQ(dispatch(app, cmd::kOptionsButton), 0);
  EXPECT_EQ(window->findChildren<OptionsWindow*>().size(), 1);
  EXPECT_TRUE(options->isVisible());
}

}  // namespace
}  // namespace quorvel
