#pragma once
// Platform-neutral key events and their decoding into commands of the one
// command table. Key codes: 'A'..'Z', '0'..'9', and the constants below.
namespace quorvel {

inline constexpr int kKeyDelete = 0x2E;
inline constexpr int kKeyF1 = 0x70;  // F1..F8 follow in order
inline constexpr int kKeyF4 = 0x73;
inline constexpr int kKeyF8 = 0x77;

struct KeyChord {
  int key = 0;
  int scanCode = 0;  // physical position (set-1 scan code), 0 when unknown
  bool ctrl = false;
  bool shift = false;
  bool alt = false;
};

struct KeyCommand {
  int id = 0;   // 0: the chord is no shortcut
  int arg = 0;
};

KeyCommand decodeKey(const KeyChord& chord);

}  // namespace quorvel
