#include "learning/MelodySentences.h"

#include "learning/ScheduleText.h"

namespace quorvel {

namespace {

constexpr int kSentenceCount = 200;

bool endsSentence(int count) { return count % kSentenceCount == 0; }

}  // namespace

void writeMelodySentences(const Line& line, std::string& out) {
  if (line.empty()) return;
  appendToken(out, noteToken(line.front()));
  // The count runs one ahead of the tokens written, so that every sentence,
  // the first included, holds 199 tokens (200 when a rest fills one up).
  int count = 2;
  for (std::size_t i = 1; i < line.size(); ++i) {
    const int gap = noteStart(line[i]) - (noteStart(line[i - 1]) + melodyLength(line[i - 1]));
    if (gap > 0) {
      appendToken(out, restToken(gap));
      ++count;
    }
    // A rest that fills a sentence ends it without taking a count of its own.
    if (endsSentence(count)) endSentence(out);
    appendToken(out, noteToken(line[i]));
    ++count;
    if (endsSentence(count)) {
      endSentence(out);
      ++count;
    }
  }
  // The count cannot tell whether the last note opened a sentence after a
  // rest ended one; the text can, and every file must end its last sentence.
  if (!out.ends_with(".\n")) endSentence(out);
}

}  // namespace quorvel
