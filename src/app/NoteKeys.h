#pragma once
// Real-time note input from the computer keyboard. Keys are named by their
// physical position (the set-1 scan code, which Linux evdev codes share), so
// the layout of the note keys is the same on every keyboard layout.
#include <array>
#include <cstdint>
#include <optional>

namespace quorvel {

inline constexpr int kNoteKeyCount = 21;

// Semitone offset from the real-time input's base key, or nothing when the
// key is not a note key.
std::optional<int> noteKeyOffset(int scanCode);

// Scan code of a key on a US layout, from its character ('A'..'Z', ';', '\'',
// '[', ']', '\\'); 0 when unknown. Used when the platform gives no scan code.
int usLayoutScanCode(int character);

// One held flag per note key: auto-repeat of a held key plays nothing.
class NoteKeyLatch {
 public:
  // The offset to play, only for the first key-down of a held key.
  std::optional<int> press(int scanCode);
  // The offset to release, only when the key was held.
  std::optional<int> release(int scanCode);
  bool isHeld(int scanCode) const;

 private:
  std::array<std::uint8_t, kNoteKeyCount> held_{};
};

}  // namespace quorvel
