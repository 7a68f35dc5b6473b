// The real built-in synth, rendered offline: no audio device needed.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <filesystem>
#include <fstream>

#include "model/Score.h"
#include "playback/OfflinePlayer.h"
#include "playback/adapters/FluidSynthEngine.h"
#include "playback/adapters/WavRenderer.h"
#include "settings/TempFolder.h"

namespace quorvel {
namespace {

double rms(const RenderedAudio& audio, double fromSeconds, double toSeconds) {
  const auto first = static_cast<std::size_t>(fromSeconds * audio.sampleRate) * 2;
  const auto last = std::min(static_cast<std::size_t>(toSeconds * audio.sampleRate) * 2, audio.samples.size());
  if (last <= first) return 0.0;
  double sum = 0.0;
  for (std::size_t i = first; i < last; ++i) sum += double(audio.samples[i]) * audio.samples[i];
  return std::sqrt(sum / double(last - first));
}

TEST(SynthRender, SoundsWhereNotesSoundAndIsSilentWhereNoneDo) {
  Score s;
  PlaySettings settings;  // 120 bpm: a step lasts 125 ms
  settings.instruments = {0, 0, 0, 0};  // piano: quick to fall silent after its note-off
  addNote(s, kSopranoSet, makeMelodyNote(2, 72, 8, kSoprano));       // 0.00 .. 1.00 s
  addNote(s, kDrumSet0 + 2, makeDrumNote(2 + 40, 12, 2, 2, 100));    // 5.00 s, kick drum
  s.endIndicator = kStepPixels * (2 + 48);                           // 6.00 s
  const OfflinePlay play = playOffline(s, settings);
  const std::optional<RenderedAudio> rendered = renderMessages(play.messages, play.endMs + 500.0, findGmSoundFont());
  ASSERT_TRUE(rendered) << "no SoundFont";
  const RenderedAudio& audio = *rendered;
  EXPECT_NEAR(double(audio.frames()) / audio.sampleRate, 6.5, 0.01);
  EXPECT_GT(rms(audio, 0.05, 0.95), 300.0);
  EXPECT_LT(rms(audio, 2.5, 4.95), 2.0);
  EXPECT_GT(rms(audio, 5.0, 5.2), 300.0) << "drums sound on channel 10";
}

TEST(SynthRender, WritesAPlayableWaveFile) {
  RenderedAudio audio;
  audio.samples = {0, 1, -1, 32767, -32768, 5};
  const test::TempFolder folder;
  const std::filesystem::path path = folder.path() / "render.wav";
  ASSERT_EQ(writeWav(audio, path.string()), 0);
  std::ifstream in(path, std::ios::binary);
  std::vector<char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  ASSERT_EQ(bytes.size(), 44u + 12u);
  EXPECT_EQ(std::string(bytes.data() + 8, 8), "WAVEfmt ");
  std::int16_t last = 0;
  std::memcpy(&last, bytes.data() + 54, 2);
  EXPECT_EQ(last, 5);

  EXPECT_EQ(writeWav(audio, "/nonexistent-dir/x.wav"), -1);
}

}  // namespace
}  // namespace quorvel
