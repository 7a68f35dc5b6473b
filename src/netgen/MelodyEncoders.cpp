#include <algorithm>
#include <vector>

#include "model/Random.h"
#include "netgen/Encoders.h"
#include "netgen/TokenText.h"
#include "netgen/RequestTypes.h"

namespace quorvel {

namespace {

constexpr std::uint32_t kNoteTokenMask = 0x3FDFC;
constexpr int kNoOffsetYet = 65000;
constexpr int kPhraseSpan = 1281, kPhraseGap = 161, kPhraseNotes = 4;
constexpr int kMaxPhraseTokens = 256;

int xOf(NoteCode c) { return kStepPixels * noteStart(c); }
int endXOf(NoteCode c) { return kStepPixels * (noteStart(c) + melodyLength(c)); }

std::vector<NoteCode> inOrder(const NoteSet& set) { return {set.begin(), set.end()}; }

// Index of the first note whose start step is at or after x / 5.
std::size_t firstFrom(const std::vector<NoteCode>& notes, int x) {
  const NoteCode bound = static_cast<NoteCode>(x / kStepPixels) << kStartShift;
  return static_cast<std::size_t>(std::lower_bound(notes.begin(), notes.end(), bound) - notes.begin());
}

// Tokens of notes[from, to): a note token per note, preceded by a rest token
// when the note starts after the previous one ended.
std::vector<std::uint32_t> melodyTokens(const std::vector<NoteCode>& notes, std::size_t from, std::size_t to) {
  std::vector<std::uint32_t> tokens;
  for (std::size_t i = from; i < to; ++i) {
    if (i > from) {
      const int gap = xOf(notes[i]) - endXOf(notes[i - 1]);
      if (gap > 0) tokens.push_back(restToken(gap / kStepPixels));
    }
    tokens.push_back(noteToken(notes[i]));
  }
  return tokens;
}

// Writes tokens[from..] while they fit and answers how many were written.
TokenText writeTokens(const std::vector<std::uint32_t>& tokens, std::size_t from, std::size_t bufferSize,
                      int maxTokens) {
  TokenText text(bufferSize);
  for (std::size_t i = from; i < tokens.size() && text.count() < maxTokens; ++i)
    if (!text.add(tokens[i])) break;
  return text;
}

int contextWindow(Random& random) {
  const int r = random.next();
  return 50 + static_cast<int>(static_cast<double>(r) / 32767.0 * 10.0 - 5.0);
}

}  // namespace

std::uint32_t noteToken(NoteCode c) { return c & kNoteTokenMask; }
std::uint32_t restToken(int silentSteps) { return static_cast<std::uint32_t>(silentSteps) << kStartShift; }

int normaliseSources(WorkingSets& sets, int n, int keyNote) {
  int m = kNoOffsetYet;
  for (int i = 3; i >= 3 - n; --i) {
    const NoteSet& set = sets[static_cast<std::size_t>(i)];
    m = set.empty() ? kSongStartX : std::min(m, xOf(*set.begin()));
  }
  const int offset = m - kSongStartX;
  const int shiftSteps = offset / kStepPixels;
  const int rowShift = keyNote - 60;
  for (int i = 3; i >= 3 - n; --i) {
    NoteSet& set = sets[static_cast<std::size_t>(i)];
    NoteSet moved;
    for (NoteCode c : set) {
      const int row = melodyRow(c) + rowShift;
      if (row < 0 || row > 255) continue;
      const NoteCode transposed = (c & ~(0xFFu << 10)) | (static_cast<NoteCode>(row) << 10);
      moved.insert(moved.end(), withStart(transposed, noteStart(c) - shiftSteps));
    }
    set = std::move(moved);
  }
  return offset;
}

Encoded encodeContext(const NoteSet& set, bool betweenLocators, int generationPosition, Random& random) {
  Encoded out;
  out.ok = true;
  out.start = betweenLocators ? generationPosition : kSongStartX;
  if (set.empty()) return out;
  const std::vector<NoteCode> notes = inOrder(set);
  std::size_t anchor = notes.size();
  if (betweenLocators) {
    anchor = firstFrom(notes, generationPosition);
    if (anchor == 0) return out;
  } else {
    out.start = endXOf(notes.back());
  }
  const int window = contextWindow(random);
  const std::size_t stepsBack = static_cast<std::size_t>(window) + (betweenLocators ? 0 : 1);
  const std::size_t from = anchor > stepsBack ? anchor - stepsBack : 0;
  const std::vector<std::uint32_t> tokens = melodyTokens(notes, from, anchor);
  const std::size_t dropped = tokens.size() > static_cast<std::size_t>(window) ? tokens.size() - window : 0;
  const TokenText text = writeTokens(tokens, dropped, dataBufferSize(RequestType::Generator), window);
  out.data = text.text();
  out.len = text.count();
  out.hasContext = out.len > 0;
  return out;
}

std::optional<Phrase> findPhrase(const NoteSet& set, int fromX) {
  const std::vector<NoteCode> notes = inOrder(set);
  std::size_t i = firstFrom(notes, fromX);
  if (i + 1 >= notes.size()) return std::nullopt;
  Phrase phrase{xOf(notes[i]), endXOf(notes[i])};
  int previousEnd = phrase.endX;
  int count = 1;
  for (++i; i < notes.size(); ++i) {
    const int x = xOf(notes[i]), end = endXOf(notes[i]);
    phrase.endX = end;
    if (end - phrase.startX < kPhraseSpan && x - previousEnd < kPhraseGap) {
      ++count;
    } else if (count >= kPhraseNotes) {
      phrase.endX = previousEnd;
      return phrase;
    } else {
      phrase.startX = x;
      count = 1;
    }
    previousEnd = end;
  }
  if (count >= kPhraseNotes) return phrase;
  return std::nullopt;
}

Encoded encodePhrase(const NoteSet& set, bool betweenLocators, int leftLocator, int rightLocator,
                     int generationStart) {
  Encoded out;
  const std::optional<Phrase> phrase = findPhrase(set, betweenLocators ? leftLocator : generationStart);
  if (!phrase) return out;
  if (betweenLocators && leftLocator < rightLocator && phrase->startX > rightLocator) return out;
  const std::vector<NoteCode> notes = inOrder(set);
  const std::size_t from = firstFrom(notes, phrase->startX);
  const NoteCode endBound = static_cast<NoteCode>(phrase->endX / kStepPixels) << kStartShift;
  const std::size_t to = static_cast<std::size_t>(std::upper_bound(notes.begin(), notes.end(), endBound) - notes.begin());
  if (from >= to) return out;
  const TokenText text =
      writeTokens(melodyTokens(notes, from, to), 0, dataBufferSize(RequestType::OneToOne), kMaxPhraseTokens);
  out.ok = true;
  out.data = text.text();
  out.len = text.count();
  out.start = phrase->startX;
  return out;
}

}  // namespace quorvel
