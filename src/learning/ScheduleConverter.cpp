#include "learning/ScheduleConverter.h"

#include "learning/DrumSections.h"
#include "learning/LearningSong.h"
#include "learning/MelodySentences.h"
#include "learning/Normalise.h"
#include "learning/PhrasePairs.h"
#include "tools/KeyTools.h"

namespace quorvel {

namespace {

std::array<Line, 4> linesOf(const LearningSong& song) {
  std::array<Line, 4> lines;
  for (std::size_t i = 0; i < 4; ++i) lines[i] = lineOf(song.parts[i]);
  return lines;
}

// The key of the parts read, placed near the top line; nothing without notes there.
std::optional<int> detectedKeyNote(const LearningSong& song) {
  const auto key = estimateKey({&song.parts[0], &song.parts[1], &song.parts[2], &song.parts[3]}, kSoprano);
  if (!key) return std::nullopt;
  return key->keyPitch;
}

// The counter-line models pair the top line with the line they learn, always
// as the second source.
int pairedPart(LearningType type) {
  switch (type) {
    case LearningType::ThreeParts: return kTenor;
    case LearningType::FourParts: return kBass;
    default: return kAlto;
  }
}

void convertMelody(const LearningSong& song, LearningType type, ScheduleTexts& out) {
  const auto keyNote = detectedKeyNote(song);
  if (!keyNote) return;
  std::array<Line, 4> lines = linesOf(song);
  if (type == LearningType::OnePart) {
    normaliseLines(lines, kSoprano, *keyNote);
    writeMelodySentences(lines[kSoprano], out.files[0]);
    return;
  }
  lines[kAlto] = lines[static_cast<std::size_t>(pairedPart(type))];
  normaliseLines(lines, kAlto, *keyNote);
  writePhrasePairs(lines[kSoprano], lines[kAlto], out.files[0], out.files[1]);
}

}  // namespace

int outputCount(LearningType type) {
  switch (type) {
    case LearningType::OnePart: return 1;
    case LearningType::Drums: return 3;
    default: return 2;
  }
}

int partsRead(LearningType type) { return type == LearningType::Drums ? 4 : static_cast<int>(type) + 1; }

int convertToSchedule(Score& work, ByteView file, LearningType type, ScheduleTexts& out) {
  out = ScheduleTexts{};
  LearningSong song;
  if (readLearningSong(work, file, partsRead(type), song) != 0) return -1;
  if (type == LearningType::Drums) writeDrumSections(linesOf(song), lineOf(song.drums), out.files[0], out.files[1], out.files[2]);
  else convertMelody(song, type, out);
  return 0;
}

}  // namespace quorvel
