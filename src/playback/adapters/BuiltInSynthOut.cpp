#include "playback/adapters/BuiltInSynthOut.h"

#include <fluidsynth.h>

#include <array>

namespace quorvel {

namespace {

// The desktop's sound server first (PulseAudio, or PipeWire speaking its
// protocol), then plain ALSA.
fluid_audio_driver_t* openAudio(FluidSynthEngine& engine) {
  static constexpr std::array<const char*, 2> kDrivers{"pulseaudio", "alsa"};
  for (const char* name : kDrivers) {
    fluid_settings_setstr(engine.settings(), "audio.driver", name);
    if (fluid_audio_driver_t* driver = new_fluid_audio_driver(engine.settings(), engine.synth())) return driver;
  }
  return nullptr;
}

}  // namespace

std::unique_ptr<BuiltInSynthOut> BuiltInSynthOut::open() {
  std::unique_ptr<FluidSynthEngine> engine = FluidSynthEngine::create();
  if (!engine) return nullptr;
  fluid_audio_driver_t* driver = openAudio(*engine);
  if (driver == nullptr) return nullptr;
  return std::unique_ptr<BuiltInSynthOut>(new BuiltInSynthOut(std::move(engine), driver));
}

BuiltInSynthOut::~BuiltInSynthOut() {
  // The driver pulls samples from the synth: it goes first.
  delete_fluid_audio_driver(driver_);
}

int BuiltInSynthOut::send(std::uint32_t message) {
  engine_->dispatch(message);
  return 0;
}

void BuiltInSynthOut::reset() { engine_->reset(); }

}  // namespace quorvel
