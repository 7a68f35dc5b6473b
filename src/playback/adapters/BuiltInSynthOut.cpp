#include "playback/adapters/BuiltInSynthOut.h"

#include <fluidsynth.h>

#include <algorithm>
#include <array>

namespace quorvel {

namespace {

void collectOption(void* data, const char* /*name*/, const char* option) {
  static_cast<std::vector<std::string>*>(data)->emplace_back(option);
}

fluid_audio_driver_t* openAudio(FluidSynthEngine& engine) {
  for (const std::string& name : audioDriverOrder(availableAudioDrivers())) {
    fluid_settings_setstr(engine.settings(), "audio.driver", name.c_str());
    if (fluid_audio_driver_t* driver = new_fluid_audio_driver(engine.settings(), engine.synth())) return driver;
  }
  return nullptr;
}

}  // namespace

std::vector<std::string> audioDriverOrder(const std::vector<std::string>& available) {
  static constexpr std::array<const char*, 3> kPreferred{"pipewire", "pulseaudio", "alsa"};
  std::vector<std::string> order;
  for (const char* name : kPreferred)
    if (std::find(available.begin(), available.end(), name) != available.end()) order.emplace_back(name);
  return order;
}

std::vector<std::string> availableAudioDrivers() {
  std::vector<std::string> names;
  fluid_settings_t* settings = new_fluid_settings();
  if (settings == nullptr) return names;
  fluid_settings_foreach_option(settings, "audio.driver", &names, collectOption);
  delete_fluid_settings(settings);
  return names;
}

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
