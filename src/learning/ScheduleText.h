#pragma once
// The text of learning schedules: tokens in lower-case hexadecimal without
// leading zeros, each followed by one space; a sentence ends with ".\n".
#include <charconv>
#include <cstdint>
#include <string>

#include "model/NoteCode.h"

namespace quorvel {

inline void appendToken(std::string& out, std::uint32_t value) {
  char digits[9];
  const auto end = std::to_chars(digits, digits + sizeof digits, value, 16).ptr;
  out.append(digits, end);
  out.push_back(' ');
}

inline void endSentence(std::string& out) { out.append(".\n"); }

// A melody note without its start, bit 9 and part: pitch row and length code.
constexpr std::uint32_t kNoteTokenMask = 0x3FDFC;
constexpr std::uint32_t noteToken(NoteCode c) { return c & kNoteTokenMask; }
// Silent steps in the high bits; its zero low bits tell it from a note.
constexpr std::uint32_t restToken(int steps) { return static_cast<std::uint32_t>(steps) << kStartShift; }

}  // namespace quorvel
