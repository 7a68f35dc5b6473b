#include "learning/Normalise.h"

#include <algorithm>

namespace quorvel {

namespace {

constexpr int kNoLineSeen = 65000;

// Any empty line puts the offset back to the song's beginning; later lines
// can only lower it.
int timeOffset(const std::array<Line, 4>& lines, int lowestPart) {
  int m = kNoLineSeen;
  for (int part = kSoprano; part >= lowestPart; --part) {
    const Line& line = lines[static_cast<std::size_t>(part)];
    m = line.empty() ? kSongStartX : std::min(m, noteX(line.front()));
  }
  return m - kSongStartX;
}

}  // namespace

int normaliseLines(std::array<Line, 4>& lines, int lowestPart, int keyNote) {
  const int offset = timeOffset(lines, lowestPart);
  const std::uint32_t shift = static_cast<std::uint32_t>(offset / kStepPixels) << kStartShift;
  // Raising the key lowers the pitch row; unsigned arithmetic wraps the same
  // way for both directions.
  const std::uint32_t transpose = static_cast<std::uint32_t>(60 - keyNote) * kMelodyRowDelta;
  for (int part = kSoprano; part >= lowestPart; --part)
    for (NoteCode& c : lines[static_cast<std::size_t>(part)]) c = c - shift - transpose;
  return offset;
}

}  // namespace quorvel
