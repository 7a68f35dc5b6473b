// A MIDI keyboard on an injected input port: the remembered choice, and its
// messages played through the same path as the computer keyboard.
#include "app/MidiKeyboard.h"

#include <gtest/gtest.h>

#include <mutex>
#include <thread>

#include "model/Score.h"
#include "playback/NotePreview.h"
#include "playback/RecordingMidiOut.h"
#include "settings/ExtraSettings.h"
#include "settings/TempFolder.h"
#include "support/FakeUi.h"

namespace quorvel {
namespace {

// A port that plays whatever the test gives it, from a thread of its own as a real port does.
class InjectedPort : public MidiInput {
 public:
  std::vector<std::string> portNames() override { return {"Keys A", "Keys B"}; }
  int open(const std::string& name, MidiInputHandler handler) override {
    if (name != "Keys A" && name != "Keys B") return -1;
    openName = name;
    handler_ = std::move(handler);
    return 0;
  }
  void close() override {
    openName.clear();
    handler_ = nullptr;
  }
  void play(std::vector<std::uint32_t> messages) {
    std::thread([this, messages] {
      for (std::uint32_t m : messages) handler_(m);
    }).join();
  }
  std::string openName;

 private:
  MidiInputHandler handler_;
};

TEST(MidiKeyboardTest, TheChosenPortIsRememberedBesideTheSettingsAndOpenedAtTheNextStart) {
  test::TempFolder folder;
  const auto file = extraSettingsPath(folder.path() / "Quorvel.ini");
  InjectedPort port;
  {
    MidiKeyboard keyboard(port, file, [](std::uint32_t) {});
    EXPECT_FALSE(keyboard.openRemembered());
    EXPECT_EQ(keyboard.choose("Keys B"), 0);
    EXPECT_EQ(port.openName, "Keys B");
    EXPECT_EQ(keyboard.choose("Gone"), -1);
    EXPECT_EQ(keyboard.choose("Keys B"), 0);
  }
  port.close();
  MidiKeyboard again(port, file, [](std::uint32_t) {});
  EXPECT_EQ(again.chosen(), "Keys B");
  EXPECT_TRUE(again.openRemembered());
  EXPECT_EQ(port.openName, "Keys B");
  EXPECT_EQ(again.choose(""), 0);
  EXPECT_EQ(port.openName, "");
  EXPECT_EQ(loadExtraSettings(file).midiInputPort, "");
}

TEST(MidiKeyboardTest, KeysPlayWithTheirVelocityAndAZeroVelocityNoteOnReleases) {
  Score score;
  score.keyBase = 60;
  score.settings.parts.editPart = kTenor;
  test::FakeUi ui;
  auto log = std::make_shared<MessageLog>();
  RecordingMidiOut sink(log);
  NotePreview preview(score, ui, {[&](std::uint32_t m) { sink.send(m); }, {}});

  // The input's thread hands messages over; the window thread plays them.
  std::mutex mutex;
  std::vector<std::uint32_t> arrived;
  InjectedPort port;
  MidiKeyboard keyboard(port, {}, [&](std::uint32_t m) {
    std::lock_guard lock(mutex);
    arrived.push_back(m);
  });
  ASSERT_EQ(keyboard.choose("Keys A"), 0);
  port.play({0x90u | 64u << 8 | 90u << 16, 0xB0u | 1u << 8 | 5u << 16, 0x90u | 64u << 8, 0x93u | 67u << 8 | 20u << 16,
             0x83u | 67u << 8 | 64u << 16});
  for (std::uint32_t m : arrived) preview.midiInputMessage(m);
  EXPECT_EQ(log->messages(), (std::vector<std::uint32_t>{0x92u | 64u << 8 | 90u << 16, 0x82u | 64u << 8 | 1u << 16,
                                                         0x92u | 67u << 8 | 20u << 16, 0x82u | 67u << 8 | 1u << 16}));
}

}  // namespace
}  // namespace quorvel
