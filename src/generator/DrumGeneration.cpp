#include "generator/DrumGeneration.h"

#include <algorithm>

#include "generator/GenerationBusy.h"
#include "generator/Region.h"

namespace quorvel {

namespace {

constexpr int kPatternNoteSteps = 4;

struct DrumSpan {
  int startX = kSongStartX;
  int lengthSteps = 0;
};

// From the first note of the active part to the end of its last note.
DrumSpan spanOfMelody(const NoteSet& part, int startX) {
  int endStep = 0;
  for (NoteCode c : part) endStep = std::max(endStep, noteStart(c) + melodyLength(c));
  DrumSpan span;
  span.startX = startX > kSongStartX ? startX : kStepPixels * noteStart(*part.begin());
  span.lengthSteps = endStep - span.startX / kStepPixels;
  return span;
}

// Drums from `fromX` on make way for the new pattern; those before it stay,
// so the groove continues the song's own drums. Highest level first.
void makeRoomForExtension(Score& score, int fromX) {
  for (int set : allDrumSets()) removeNotesBetween(score, set, fromX, kWholeSongEndX);
}

// Clears the drums or the locator region as the settings ask. Answers 0, -2
// when the save-changes question stopped the command, -1 when the locators
// are too close.
int prepareDrumRegion(GenerationEnv& env, DrumSpan& span) {
  if (!env.score.hasFlag(kFlagUntouchedResult) && env.askSaveChanges() != 0) return -2;
  if (env.score.settings.melody.isOn(kBetweenLocators)) {
    Region region;
    if (takeLocatorRegion(env, allDrumSets(), region) != 0) return -1;
    span.startX = region.startX;
    if (region.betweenLocators()) span.lengthSteps = (region.endX - region.startX) / kStepPixels;
    return 0;
  }
  newSong(env.score, kClearDrums, env.ui);
  return 0;
}

}  // namespace

void writeDrumPattern(Score& score, const DrumPattern& pattern, int startX, int lengthSteps) {
  if (lengthSteps <= 0) lengthSteps = kDrumPatternSteps;
  std::lock_guard lock(score.noteMutex);
  for (int s = 0; s < lengthSteps; ++s) {
    const std::uint32_t word = pattern[static_cast<std::size_t>(s % kDrumPatternSteps)];
    if (word == kPatternEndWord) break;
    const int step = (startX + kStepPixels * s) / kStepPixels;
    for (int lane = 1; lane <= kDrumLanes; ++lane) {
      if (word & accentBit(lane)) addNote(score, kDrumSet0 + 3, makeDrumNote(step, lane, kPatternNoteSteps, 3, 127));
      if (word & hitBit(lane)) addNote(score, kDrumSet0 + 2, makeDrumNote(step, lane, kPatternNoteSteps, 2, 100));
    }
  }
}

int generateDrums(GenerationEnv& env, bool alongMelody, int startX) {
  BusyScope busy(env);
  if (!busy.acquired()) return -2;
  return generateDrumsWhileBusy(env, alongMelody, startX);
}

int generateDrumsWhileBusy(GenerationEnv& env, bool alongMelody, int startX) {
  Score& score = env.score;
  env.random.seed(static_cast<std::uint32_t>(env.nowMs()));
  const auto& settings = score.settings.melody;
  const NoteSet& melody = score.noteSets[static_cast<std::size_t>(score.editPart())];
  DrumSpan span{kSongStartX, kBeatPixels / kStepPixels * settings[kMelodyLength]};
  if (alongMelody) {
    if (melody.empty()) {
      showGenerationMessage(env, "Selecting part is empty");
      return -1;
    }
    span = spanOfMelody(melody, startX);
  }
  if (alongMelody && settings.isOn(kExtendExisting) && !settings.isOn(kBetweenLocators)) {
    makeRoomForExtension(score, span.startX);
  } else if (const int prepared = prepareDrumRegion(env, span); prepared != 0) {
    return prepared;
  }
  if (env.drums.patterns.empty()) return -1;  // the library failed to load at start and said why
  const auto index = static_cast<std::size_t>(env.random.next() % static_cast<int>(env.drums.patterns.size()));
  writeDrumPattern(score, env.drums.patterns[index], span.startX, span.lengthSteps);
  markModified(score, env.ui);
  score.setFlag(kFlagUntouchedResult);
  env.ui.redraw(RedrawTarget::Drums);
  return 0;
}

}  // namespace quorvel
