#pragma once
// The built-in General MIDI synthesizer sounding through the desktop's audio.
#include <memory>
#include <string>
#include <vector>

#include "playback/MidiOut.h"
#include "playback/adapters/FluidSynthEngine.h"

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

  int send(std::uint32_t message) override;
  void reset() override;

 private:
  BuiltInSynthOut(std::unique_ptr<FluidSynthEngine> engine, _fluid_audio_driver_t* driver)
      : engine_(std::move(engine)), driver_(driver) {}

  std::unique_ptr<FluidSynthEngine> engine_;
  _fluid_audio_driver_t* driver_;
};

}  // namespace quorvel
