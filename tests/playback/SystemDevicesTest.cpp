// The machine's real devices: the built-in synth where there is audio, and a
// silent but working player where there is none (as on CI).
#include "playback/adapters/SystemDevices.h"

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "model/Score.h"
#include "playback/Player.h"

namespace quorvel {
namespace {

TEST(SystemDevices, ListsTheBuiltInSynthFirst) {
  SystemDevices devices;
  ASSERT_GE(devices.deviceCount(), 1);
  EXPECT_EQ(devices.deviceName(0), kBuiltInSynthName);
  EXPECT_EQ(devices.openDevice(devices.deviceCount()), nullptr);
}

TEST(SystemDevices, PlayerRunsWithWhateverAudioTheMachineHas) {
  Score score;
  score.settings.general.tempo = 240;
  SystemDevices devices;
  Player player(score, devices);
  const int opened = player.startOutputThread();
  EXPECT_EQ(opened == 0, player.device().isOpen());
  player.startPlayerThread();
  addNote(score, kSopranoSet, makeMelodyNote(2, 60, 2, kSoprano));
  score.endIndicator = 30;
  player.play();
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(3);
  while (player.isPlaying() && std::chrono::steady_clock::now() < deadline) {
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  EXPECT_FALSE(player.isPlaying());
  EXPECT_EQ(score.cueIndicator.load(), 30);
}

}  // namespace
}  // namespace quorvel
