#pragma once
// The settings the player reads, copied on the window thread (which owns the
// Score's settings) and handed to the player thread as one value.
#include <array>
#include <cstdint>

namespace quorvel {

struct Score;

inline constexpr int kStrictPlayMode = 10, kNormalPlayMode = 0, kSetPreviewMode = 2;

struct PlaySettings {
  int tempo = 120;
  int volume = 100;
  std::array<std::int32_t, 4> instruments{94, 53, 88, 33};  // by MIDI channel
  std::array<std::int32_t, 12> drumKeys{54, 39, 49, 51, 46, 42, 37, 50, 47, 43, 38, 36};
  bool drumNoteOff = false;
  int playListIndex = 8;  // the edited part with "Play selected part only.", else all melody
  int playMode = kNormalPlayMode;  // normal or strict lines

  // Milliseconds per tick (one timeline unit).
  double tickMs() const { return 3000.0 / tempo; }
};

PlaySettings playSettingsOf(const Score& s);

}  // namespace quorvel
