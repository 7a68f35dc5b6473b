#pragma once
// The built-in General MIDI synthesizer sounding through the desktop's audio;
// the player's notes are played at their due time by the audio callback.
#include <memory>
#include <string>
#include <vector>

#include "playback/MidiOut.h"
#include "playback/adapters/FluidSynthEngine.h"
#include "playback/adapters/SynthScheduler.h"

struct _fluid_audio_driver_t;

namespace quorvel {

// The audio drivers to try, best first: the desktop's sound server (PipeWire,
// or PulseAudio, which PipeWire also speaks), then plain ALSA; only those this
// FluidSynth was built with.
std::vector<std::string> audioDriverOrder(const std::vector<std::string>& available);
// The audio drivers of the installed FluidSynth.
std::vector<std::string> availableAudioDrivers();

class BuiltInSynthOut : public MidiOut {
 public:
  // Null when there is no SoundFont or no audio output (no sound card).
  static std::unique_ptr<BuiltInSynthOut> open();
  ~BuiltInSynthOut() override;
  BuiltInSynthOut(const BuiltInSynthOut&) = delete;
  BuiltInSynthOut& operator=(const BuiltInSynthOut&) = delete;

  // Now: note preview and real-time input.
  int send(std::uint32_t message) override;
  // At the due time plus SynthScheduler::kDelay, counted in samples.
  int sendAt(std::uint32_t message, DueTime due) override;
  void reset() override;

 private:
  explicit BuiltInSynthOut(std::unique_ptr<FluidSynthEngine> engine)
      : engine_(std::move(engine)), scheduler_(*engine_) {}

  std::unique_ptr<FluidSynthEngine> engine_;
  SynthScheduler scheduler_;
  _fluid_audio_driver_t* driver_ = nullptr;
};

}  // namespace quorvel
