#include "playback/adapters/WavRenderer.h"

#include <fluidsynth.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>

#include "playback/adapters/FluidSynthEngine.h"

namespace quorvel {

namespace {

constexpr int kChannels = 2;

std::size_t frameAt(double ms, int sampleRate) {
  return static_cast<std::size_t>(std::llround(std::max(ms, 0.0) * sampleRate / 1000.0));
}

void renderUpTo(FluidSynthEngine& engine, RenderedAudio& audio, std::size_t frame) {
  const std::size_t have = audio.frames();
  if (frame <= have) return;
  const std::size_t count = frame - have;
  audio.samples.resize(frame * kChannels);
  std::int16_t* dest = audio.samples.data() + have * kChannels;
  fluid_synth_write_s16(engine.synth(), static_cast<int>(count), dest, 0, kChannels, dest, 1, kChannels);
}

template <typename T>
void put(std::ofstream& out, T value) {
  // WAV is little-endian, like every machine this runs on.
  out.write(reinterpret_cast<const char*>(&value), sizeof value);
}

}  // namespace

std::optional<RenderedAudio> renderMessages(const std::vector<TimedMessage>& messages, double untilMs,
                                            const std::string& soundFont) {
  std::unique_ptr<FluidSynthEngine> engine = FluidSynthEngine::create(soundFont);
  if (!engine) return std::nullopt;
  RenderedAudio audio;
  audio.sampleRate = static_cast<int>(FluidSynthEngine::kSampleRate);
  for (const TimedMessage& m : messages) {
    renderUpTo(*engine, audio, frameAt(m.ms, audio.sampleRate));
    engine->dispatch(m.message);
  }
  renderUpTo(*engine, audio, frameAt(untilMs, audio.sampleRate));
  return audio;
}

int writeWav(const RenderedAudio& audio, const std::string& path) {
  // Written beside the target and renamed over it, so a failed write leaves
  // no half file under the real name.
  const std::filesystem::path target(path);
  std::filesystem::path temp = target;
  temp += ".part";
  {
    std::ofstream out(temp, std::ios::binary | std::ios::trunc);
    if (!out) return -1;
    const auto dataBytes = static_cast<std::uint32_t>(audio.samples.size() * sizeof(std::int16_t));
    const auto rate = static_cast<std::uint32_t>(audio.sampleRate);
    out.write("RIFF", 4);
    put<std::uint32_t>(out, 36 + dataBytes);
    out.write("WAVEfmt ", 8);
    put<std::uint32_t>(out, 16);
    put<std::uint16_t>(out, 1);  // PCM
    put<std::uint16_t>(out, kChannels);
    put<std::uint32_t>(out, rate);
    put<std::uint32_t>(out, rate * kChannels * sizeof(std::int16_t));
    put<std::uint16_t>(out, kChannels * sizeof(std::int16_t));
    put<std::uint16_t>(out, 16);
    out.write("data", 4);
    put<std::uint32_t>(out, dataBytes);
    out.write(reinterpret_cast<const char*>(audio.samples.data()), static_cast<std::streamsize>(dataBytes));
    if (!out.flush()) {
      out.close();
      std::filesystem::remove(temp);
      return -1;
    }
  }
  std::error_code error;
  std::filesystem::rename(temp, target, error);
  if (error) {
    std::filesystem::remove(temp, error);
    return -1;
  }
  return 0;
}

}  // namespace quorvel
