#include "app/NoteKeys.h"

#include <cstddef>

namespace quorvel {

namespace {

struct NoteKey {
  int scanCode;
  int offset;
};

// Two interleaved rows, white keys on the home row and black keys above it.
constexpr std::array<NoteKey, kNoteKeyCount> kNoteKeys{{
    {0x10, -9},  // Q
    {0x1E, -8},  // A
    {0x1F, -7},  // S
    {0x12, -6},  // E
    {0x20, -5},  // D
    {0x13, -4},  // R
    {0x21, -3},  // F
    {0x14, -2},  // T
    {0x22, -1},  // G
    {0x23, 0},   // H
    {0x16, 1},   // U
    {0x24, 2},   // J
    {0x17, 3},   // I
    {0x25, 4},   // K
    {0x26, 5},   // L
    {0x19, 6},   // P
    {0x27, 7},   // right of L
    {0x1A, 8},   // right of P
    {0x28, 9},   // second right of L
    {0x1B, 10},  // second right of P
    {0x2B, 11},  // third right of P
}};

std::optional<std::size_t> indexOf(int scanCode) {
  for (std::size_t i = 0; i < kNoteKeys.size(); ++i)
    if (kNoteKeys[i].scanCode == scanCode) return i;
  return std::nullopt;
}

}  // namespace

std::optional<int> noteKeyOffset(int scanCode) {
  const auto i = indexOf(scanCode);
  if (!i) return std::nullopt;
  return kNoteKeys[*i].offset;
}

int usLayoutScanCode(int character) {
  static constexpr char kTopRow[] = "QWERTYUIOP[]";
  static constexpr char kHomeRow[] = "ASDFGHJKL;'";
  static constexpr char kBottomRow[] = "ZXCVBNM";
  if (character >= 'a' && character <= 'z') character -= 'a' - 'A';
  for (int i = 0; kTopRow[i]; ++i)
    if (kTopRow[i] == character) return 0x10 + i;
  for (int i = 0; kHomeRow[i]; ++i)
    if (kHomeRow[i] == character) return 0x1E + i;
  for (int i = 0; kBottomRow[i]; ++i)
    if (kBottomRow[i] == character) return 0x2C + i;
  return character == '\\' ? 0x2B : 0;
}

std::optional<int> NoteKeyLatch::press(int scanCode) {
  const auto i = indexOf(scanCode);
  if (!i || held_[*i]) return std::nullopt;
  held_[*i] = 1;
  return kNoteKeys[*i].offset;
}

std::optional<int> NoteKeyLatch::release(int scanCode) {
  const auto i = indexOf(scanCode);
  if (!i || !held_[*i]) return std::nullopt;
  held_[*i] = 0;
  return kNoteKeys[*i].offset;
}

bool NoteKeyLatch::isHeld(int scanCode) const {
  const auto i = indexOf(scanCode);
  return i && held_[*i];
}

}  // namespace quorvel
