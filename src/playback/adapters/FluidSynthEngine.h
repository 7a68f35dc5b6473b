#pragma once
// One FluidSynth synthesizer with a General MIDI SoundFont, fed with packed
// short messages. Shared by the live built-in synth and the WAV renderer.
#include <cstdint>
#include <memory>
#include <string>

struct _fluid_hashtable_t;
struct _fluid_synth_t;

namespace quorvel {

// The first GM SoundFont the distribution installed; empty when none.
std::string findGmSoundFont();

class FluidSynthEngine {
 public:
  static constexpr double kSampleRate = 44100.0;
  // Above FluidSynth's quiet default (0.2), yet four parts and drums at full
  // volume rarely clip.
  static constexpr double kGain = 0.3;

  // Null when FluidSynth or the SoundFont cannot be loaded. An empty path
  // picks the installed GM SoundFont.
  static std::unique_ptr<FluidSynthEngine> create(const std::string& soundFont = {});
  ~FluidSynthEngine();
  FluidSynthEngine(const FluidSynthEngine&) = delete;
  FluidSynthEngine& operator=(const FluidSynthEngine&) = delete;

  void dispatch(std::uint32_t message);
  void reset();

  _fluid_hashtable_t* settings() const { return settings_; }
  _fluid_synth_t* synth() const { return synth_; }

 private:
  FluidSynthEngine(_fluid_hashtable_t* settings, _fluid_synth_t* synth) : settings_(settings), synth_(synth) {}

  _fluid_hashtable_t* settings_;
  _fluid_synth_t* synth_;
};

}  // namespace quorvel
