// Which audio output the built-in synth tries first on a desktop.
#include <gtest/gtest.h>

#include <algorithm>

#include "playback/adapters/BuiltInSynthOut.h"

namespace quorvel {
namespace {

using Names = std::vector<std::string>;

TEST(AudioDriverOrder, SoundServersComeBeforeAlsaAndOnlyBuiltDriversAreTried) {
  EXPECT_EQ(audioDriverOrder({"alsa", "file", "jack", "oss", "pulseaudio", "sdl2"}), (Names{"pulseaudio", "alsa"}));
  EXPECT_EQ(audioDriverOrder({"alsa", "pipewire", "pulseaudio"}), (Names{"pipewire", "pulseaudio", "alsa"}));
  EXPECT_EQ(audioDriverOrder({"file", "oss"}), Names{});
}

TEST(AudioDriverOrder, TheInstalledFluidSynthOffersASoundServerBeforeAlsa) {
  const Names order = audioDriverOrder(availableAudioDrivers());
  ASSERT_FALSE(order.empty());
  const auto alsa = std::find(order.begin(), order.end(), "alsa");
  const auto server = std::find_if(order.begin(), order.end(),
                                   [](const std::string& n) { return n == "pulseaudio" || n == "pipewire"; });
  ASSERT_NE(server, order.end()) << "FluidSynth built without PulseAudio or PipeWire";
  EXPECT_LT(server, alsa);
}

}  // namespace
}  // namespace quorvel
