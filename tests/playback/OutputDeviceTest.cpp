#include "playback/OutputDevice.h"

#include <gtest/gtest.h>

#include "playback/PlaybackTestSupport.h"
#include "playback/adapters/BuiltInSynthOut.h"

namespace quorvel {
namespace {

using test::msg;

// Device 0 refuses to open; the others record.
class FlakyCatalog : public test::RecordingCatalog {
 public:
  std::unique_ptr<MidiOut> openDevice(int index) override {
    if (index == 0) return nullptr;
    return RecordingCatalog::openDevice(index);
  }
};

TEST(OutputDevice, AFailedOpenGoesOnToTheNextMatchingDeviceAndNoMatchKeepsTheOpenOne) {
  FlakyCatalog catalog;
  catalog.names = {kBuiltInSynthName, "USB MIDI port", kBuiltInSynthName};
  OutputDevice device;
  EXPECT_EQ(device.send(msg(0x90, 60, 1)), -1);
  ASSERT_EQ(device.open(catalog), 0);
  EXPECT_EQ(catalog.lastOpened, 2);
  EXPECT_EQ(device.send(msg(0x90, 60, 1)), 0);
  EXPECT_EQ(catalog.log->messages().size(), 1u);

  // No match leaves the open device open; without one, sends fail.
  catalog.names = {"Some other synth"};
  EXPECT_EQ(device.open(catalog), -1);
  EXPECT_TRUE(device.isOpen());
  EXPECT_EQ(device.send(msg(0x90, 60, 1)), 0);

  device.close();
  EXPECT_FALSE(device.isOpen());
  EXPECT_EQ(device.send(msg(0x90, 60, 1)), -1);
}

// On a desktop the built-in synth tries the sound servers before ALSA.
TEST(AudioDriverOrder, SoundServersComeBeforeAlsaAndOnlyBuiltDriversAreTried) {
  using Names = std::vector<std::string>;
  EXPECT_EQ(audioDriverOrder({"alsa", "file", "jack", "oss", "pulseaudio", "sdl2"}), (Names{"pulseaudio", "alsa"}));
  EXPECT_EQ(audioDriverOrder({"alsa", "pipewire", "pulseaudio"}), (Names{"pipewire", "pulseaudio", "alsa"}));
  EXPECT_EQ(audioDriverOrder({"file", "oss"}), Names{});
}

}  // namespace
}  // namespace quorvel
