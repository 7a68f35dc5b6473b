#pragma once
// Renders timed MIDI messages through the built-in synth into PCM audio and
// writes it as a WAV file, without any audio device.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "playback/RecordingMidiOut.h"

namespace quorvel {

struct RenderedAudio {
  int sampleRate = 44100;
  std::vector<std::int16_t> samples;  // interleaved stereo
  std::size_t frames() const { return samples.size() / 2; }
};

// Renders until `untilMs` (at least up to the last message); nothing when no
// SoundFont loads.
std::optional<RenderedAudio> renderMessages(const std::vector<TimedMessage>& messages, double untilMs,
                                            const std::string& soundFont = {});

// 16-bit stereo PCM; 0, or -1 when the file cannot be written.
int writeWav(const RenderedAudio& audio, const std::string& path);

}  // namespace quorvel
