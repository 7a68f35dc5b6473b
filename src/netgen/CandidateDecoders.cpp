#include <algorithm>
#include <charconv>
#include <cstdint>

#include "netgen/Candidates.h"

namespace quorvel {

namespace {

constexpr std::uint32_t kNoteBits = (1u << kStartShift) - 1;
constexpr std::uint32_t kForeignBits = 0x203;  // part bits and the drum flag: never sent, never valid
constexpr int kLowestKey = 1, kHighestKey = 121;
constexpr int kLoopSteps = 128;

// Walks the space-terminated tokens of a row up to its '.', line feed or end;
// a last token without a space after it is not read. Answers false when a
// token is not a 32-bit hexadecimal number; `each` answers false to stop.
template <class Each>
bool forEachToken(std::string_view row, Each each) {
  std::size_t begin = 0;
  for (std::size_t i = 0; i < row.size() && row[i] != '.' && row[i] != '\n'; ++i) {
    if (row[i] != ' ') continue;
    std::uint32_t value = 0;
    const char* first = row.data() + begin;
    const char* last = row.data() + i;
    if (first != last) {
      const auto [ptr, ec] = std::from_chars(first, last, value, 16);
      if (ec != std::errc{} || ptr != last) return false;
    }
    begin = i + 1;
    if (!each(value)) break;
  }
  return true;
}

bool validKeyAndLength(NoteCode code) {
  const int key = melodyKey(code);
  return key >= kLowestKey && key <= kHighestKey && melodyLength(code) >= 1;
}

}  // namespace

std::optional<DecodedMelody> decodeMelodyCandidate(std::string_view row, int startX, int targetPart, int keyNote,
                                                   bool skipLeadingRest, int limitX) {
  DecodedMelody out;
  std::int64_t p = startX;
  bool valid = true;
  const bool parsed = forEachToken(row, [&](std::uint32_t v) {
    if ((v & kNoteBits) == 0) {
      if (v == 0) return false;
      if (!(p == kSongStartX && skipLeadingRest)) p += std::int64_t{kStepPixels} * (v >> kStartShift);
      return true;
    }
    const std::int64_t startStep = p / kStepPixels + (v >> kStartShift);
    const int length = 127 - static_cast<int>((v >> 2) & 127);
    if (kStepPixels * (startStep + length) > limitX) return false;
    const int pitchRow = static_cast<int>((v >> 10) & 0xFF) + 60 - keyNote;
    const NoteCode code = (static_cast<NoteCode>(startStep) << kStartShift) |
                          (static_cast<NoteCode>(pitchRow & 0xFF) << 10) | (v & 0x1FC) |
                          static_cast<NoteCode>(targetPart & 3);
    if ((v & kForeignBits) != 0 || pitchRow < 0 || pitchRow > 255 || !validKeyAndLength(code)) {
      valid = false;
      return false;
    }
    out.notes.push_back(code);
    p += std::int64_t{kStepPixels} * length;
    return true;
  });
  if (!parsed || !valid) return std::nullopt;
  out.endX = static_cast<int>(std::min<std::int64_t>(p, kTimelineEndX));
  return out;
}

std::optional<DecodedDrums> decodeDrumCandidate(std::string_view row, int startX, int endX, bool loop) {
  DecodedDrums out;
  endX = std::min(endX, kTimelineEndX);
  int p = startX;
  const bool parsed = forEachToken(row, [&](std::uint32_t v) {
    if (p >= endX) return false;
    for (int lane = 1; lane <= 12 && v != 0; ++lane) {
      const int step = p / kStepPixels;
      if (v & (1u << (lane + 11)))
        out.accents.push_back(makeDrumNote(step, lane, 4, 3, 127));
      else if (v & (1u << (lane - 1)))
        out.normal.push_back(makeDrumNote(step, lane, 4, 2, 100));
    }
    p += kStepPixels;
    return p < endX;
  });
  if (!parsed) return std::nullopt;
  if (loop) {
    for (std::vector<NoteCode>* group : {&out.accents, &out.normal}) {
      const std::size_t once = group->size();
      for (int k = 1; once > 0; ++k) {
        bool stopped = false;
        for (std::size_t i = 0; i < once && !stopped; ++i) {
          const int start = noteStart((*group)[i]) + kLoopSteps * k;
          if (kStepPixels * start >= endX) stopped = true;
          else group->push_back(withStart((*group)[i], start));
        }
        if (stopped) break;
      }
    }
  }
  return out;
}

}  // namespace quorvel
