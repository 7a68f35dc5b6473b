#include "playback/adapters/FluidSynthEngine.h"

#include <fluidsynth.h>

#include <array>
#include <filesystem>

namespace quorvel {

std::string findGmSoundFont() {
  static constexpr std::array<const char*, 3> kCandidates{
      "/usr/share/sounds/sf2/default-GM.sf2", "/usr/share/sounds/sf2/FluidR3_GM.sf2",
      "/usr/share/sounds/sf2/TimGM6mb.sf2"};
  std::error_code error;
  for (const char* path : kCandidates) {
    if (std::filesystem::is_regular_file(path, error)) return path;
  }
  return {};
}

std::unique_ptr<FluidSynthEngine> FluidSynthEngine::create(const std::string& soundFont) {
  const std::string path = soundFont.empty() ? findGmSoundFont() : soundFont;
  if (path.empty()) return nullptr;
  fluid_settings_t* settings = new_fluid_settings();
  if (settings == nullptr) return nullptr;
  fluid_settings_setnum(settings, "synth.gain", kGain);
  fluid_settings_setnum(settings, "synth.sample-rate", kSampleRate);
  fluid_synth_t* synth = new_fluid_synth(settings);
  if (synth == nullptr || fluid_synth_sfload(synth, path.c_str(), 1) == FLUID_FAILED) {
    if (synth != nullptr) delete_fluid_synth(synth);
    delete_fluid_settings(settings);
    return nullptr;
  }
  return std::unique_ptr<FluidSynthEngine>(new FluidSynthEngine(settings, synth));
}

FluidSynthEngine::~FluidSynthEngine() {
  delete_fluid_synth(synth_);
  delete_fluid_settings(settings_);
}

void FluidSynthEngine::dispatch(std::uint32_t message) {
  const int status = static_cast<int>(message & 0xF0);
  const int channel = static_cast<int>(message & 0x0F);
  const int data1 = static_cast<int>((message >> 8) & 0x7F);
  const int data2 = static_cast<int>((message >> 16) & 0x7F);
  switch (status) {
    case 0x80: fluid_synth_noteoff(synth_, channel, data1); break;
    case 0x90: fluid_synth_noteon(synth_, channel, data1, data2); break;  // velocity 0 ends the note
    case 0xB0: fluid_synth_cc(synth_, channel, data1, data2); break;
    case 0xC0: fluid_synth_program_change(synth_, channel, data1); break;
    case 0xE0: fluid_synth_pitch_bend(synth_, channel, data1 | (data2 << 7)); break;
    default: break;
  }
}

void FluidSynthEngine::reset() { fluid_synth_system_reset(synth_); }

}  // namespace quorvel
