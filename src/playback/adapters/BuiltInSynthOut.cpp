#include "playback/adapters/BuiltInSynthOut.h"

#include <fluidsynth.h>

#include <algorithm>
#include <array>

namespace quorvel {

namespace {

void collectOption(void* data, const char* /*name*/, const char* option) {
  static_cast<std::vector<std::string>*>(data)->emplace_back(option);
}

int renderScheduled(void* scheduler, int len, int nfx, float* fx[], int nout, float* out[]) {
  static_cast<SynthScheduler*>(scheduler)->render(len, nfx, fx, nout, out);
  return FLUID_OK;
}

// The driver calls back into the scheduler, which renders the synth itself.
fluid_audio_driver_t* openAudio(FluidSynthEngine& engine, SynthScheduler& scheduler) {
  for (const std::string& name : audioDriverOrder(availableAudioDrivers())) {
    fluid_settings_setstr(engine.settings(), "audio.driver", name.c_str());
    if (fluid_audio_driver_t* driver = new_fluid_audio_driver2(engine.settings(), renderScheduled, &scheduler))
      return driver;
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
  std::unique_ptr<BuiltInSynthOut> out(new BuiltInSynthOut(std::move(engine)));
  out->driver_ = openAudio(*out->engine_, out->scheduler_);
  if (out->driver_ == nullptr) return nullptr;
  return out;
}

BuiltInSynthOut::~BuiltInSynthOut() {
  // The driver pulls samples from the synth: it goes first.
  if (driver_ != nullptr) delete_fluid_audio_driver(driver_);
}

int BuiltInSynthOut::send(std::uint32_t message) {
  engine_->dispatch(message);
  return 0;
}

int BuiltInSynthOut::sendAt(std::uint32_t message, DueTime due) {
  scheduler_.post(message, due);
  return 0;
}

void BuiltInSynthOut::reset() {
  scheduler_.dropPending();
  engine_->reset();
}

}  // namespace quorvel
