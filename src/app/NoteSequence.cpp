#include "app/NoteSequence.h"

#include <charconv>
#include <cstdint>
#include <optional>
#include <sstream>
#include <string>

#include "model/Score.h"

namespace quorvel {

namespace {

constexpr std::uint32_t kNoteBits = kStepDelta - 1;  // the low 18 bits: key, length, part

std::optional<std::uint32_t> parseHexCode(std::string_view token) {
  std::uint32_t value = 0;
  const auto [end, error] = std::from_chars(token.data(), token.data() + token.size(), value, 16);
  if (error != std::errc() || end != token.data() + token.size()) return std::nullopt;
  return value;
}

}  // namespace

bool isNoteSequenceName(std::string_view path) {
  if (path.size() < 2) return false;
  const char letter = path[path.size() - 2];
  const char digit = path.back();
  return letter == 'g' && digit >= '1' && digit <= '4';
}

int placeNoteSequence(Score& s, std::string_view text, int startStep) {
  int position = startStep;
  int placed = 0;
  std::istringstream tokens{std::string(text)};
  for (std::string token; tokens >> token && position < kTimelineEndStep;) {
    const auto code = parseHexCode(token);
    if (!code) break;
    if ((*code & kNoteBits) != 0) {
      const NoteCode note = withStart(withLowBits(*code & ~kDrumFlag, kSoprano), position);
      addNote(s, kSopranoSet, note);
      ++placed;
      position += melodyLength(note);
    } else if (*code >= kStepDelta) {
      position += static_cast<int>(*code >> kStartShift);
    } else {
      break;
    }
  }
  return placed;
}

}  // namespace quorvel
