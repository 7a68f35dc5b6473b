#include "learning/PhrasePairs.h"

#include <algorithm>
#include <cstdlib>

#include "learning/ScheduleText.h"

namespace quorvel {

namespace {

constexpr int kPhraseSpan = 1281;     // a phrase's notes end before this, from its start
constexpr int kPhraseBreak = 161;     // a silence this long ends a phrase
constexpr int kPhraseMinNotes = 4;
constexpr int kMinOverlap = 160;      // phrases paired must share this much time
constexpr int kMaxStartDistance = 160;
constexpr int kMaxWindowTokens = 256;
constexpr int kSameStartNudge = 6;    // moves the search past a step both phrases start on

Line::const_iterator firstFromX(const Line& line, int x) {
  return std::lower_bound(line.begin(), line.end(), static_cast<NoteCode>(x / kStepPixels) << kStartShift);
}

}  // namespace

std::optional<Phrase> findPhrase(const Line& line, int fromX) {
  auto it = firstFromX(line, fromX);
  if (it == line.end() || std::next(it) == line.end()) return std::nullopt;
  Phrase phrase{noteX(*it), noteEndX(*it)};
  int previousEnd = noteEndX(*it);
  int count = 1;
  for (++it; it != line.end(); ++it) {
    phrase.end = noteEndX(*it);
    if (phrase.end - phrase.start < kPhraseSpan && noteX(*it) - previousEnd < kPhraseBreak) {
      ++count;
    } else if (count >= kPhraseMinNotes) {
      phrase.end = previousEnd;
      return phrase;
    } else {
      phrase.start = noteX(*it);
      count = 1;
    }
    previousEnd = noteEndX(*it);
  }
  if (count >= kPhraseMinNotes) return phrase;
  return std::nullopt;
}

std::string phraseTokens(const Line& line, int windowStart, int windowEnd) {
  std::string out;
  const NoteCode limit = static_cast<NoteCode>(windowEnd / kStepPixels) << kStartShift;
  int written = 0;
  int previousEnd = windowStart;
  for (auto it = firstFromX(line, windowStart); it != line.end() && *it <= limit; ++it) {
    const int gap = noteX(*it) - previousEnd;
    if (gap > 0) {
      appendToken(out, restToken(gap / kStepPixels));
      if (++written == kMaxWindowTokens) break;
    }
    appendToken(out, noteToken(*it));
    if (++written == kMaxWindowTokens) break;
    previousEnd = noteEndX(*it);
  }
  return out;
}

void writePhrasePairs(const Line& upper, const Line& lower, std::string& upperOut, std::string& lowerOut) {
  if (upper.empty() || lower.empty()) return;
  int q = kSongStartX;
  for (;;) {
    const auto a = findPhrase(upper, q);
    const auto b = findPhrase(lower, q);
    if (!a || !b) return;
    const int overlap = std::min(a->end, b->end) - std::max(a->start, b->start);
    if (overlap >= kMinOverlap && std::abs(a->start - b->start) <= kMaxStartDistance) {
      const int w = std::min(a->end, b->end);
      q = w;
      const std::string upperTokens = phraseTokens(upper, a->start, w);
      const std::string lowerTokens = phraseTokens(lower, a->start, w);
      // Both or neither: a sentence written to one file alone would shift
      // every later pair by a line.
      if (upperTokens.empty() || lowerTokens.empty()) continue;
      upperOut += upperTokens;
      endSentence(upperOut);
      lowerOut += lowerTokens;
      endSentence(lowerOut);
    } else if (overlap >= kMinOverlap && b->start - a->start > kMaxStartDistance) {
      q = b->start - kMaxStartDistance;
    } else if (overlap >= kMinOverlap) {
      q = a->start;
    } else {
      q = std::min(std::max(a->start, b->start), std::min(a->end, b->end)) + (a->start == b->start ? kSameStartNudge : 0);
    }
  }
}

}  // namespace quorvel
