#include "settings/SettingsApply.h"

#include <algorithm>
#include <cmath>
#include <mutex>

#include "model/Score.h"

namespace quorvel {

namespace {

constexpr std::int32_t kUnset = -1;

bool inRange(std::int32_t v, std::int32_t lo, std::int32_t hi) { return v >= lo && v <= hi; }

void takeIfInRange(std::int32_t& live, std::int32_t candidate, std::int32_t lo, std::int32_t hi) {
  if (inRange(candidate, lo, hi)) live = candidate;
}

// Rates and strengths: a negative (or non-finite) value leaves the live one.
void takeRate(double& live, double candidate) {
  if (std::isfinite(candidate) && candidate >= 0.0) live = candidate;
}

// The selection belongs to the active set, so it goes when that set changes.
void dropSelection(Score& s) {
  std::lock_guard lock(s.noteMutex);
  s.noteSets[kSelection].clear();
  s.selectionBounds = Bounds{};
}

void selectPart(Score& s, int part, SettingsListener& listener) {
  dropSelection(s);
  s.clearFlag(kFlagDrumsEdit | kFlagDrumsEdit2);
  s.settings.parts.editPart = part;
  listener.partSelected(part);
}

void selectDrumSet(Score& s, int drumSet, SettingsListener& listener) {
  dropSelection(s);
  s.setFlag(kFlagDrumsEdit | kFlagDrumsEdit2);
  s.settings.drums.drumSet = drumSet;
  listener.drumSetSelected(drumSet);
}

// Valid ranges of the generation settings that have a fixed set of choices.
struct MelodyRange {
  MelodySetting index;
  std::int32_t lo, hi;
};
constexpr MelodyRange kMelodyRanges[] = {
    {kKeyNote, 36, 84}, {kMode, 0, 5}, {kMelodyLength, 1, 64}, {kEvokedLines, 0, 4}, {kCounterLines, 0, 5},
};

bool melodyValueValid(int index, std::int32_t v) {
  if (v == kUnset) return false;
  for (const MelodyRange& r : kMelodyRanges)
    if (r.index == index) return inRange(v, r.lo, r.hi);
  return true;  // on/off options: 10 is on, anything else off
}

template <std::size_t N>
int applyRates(std::int32_t& kind, std::array<double, N>& quantize, std::array<double, N>& shuffle,
               std::int32_t candidateKind, const std::array<double, N>& candidateQuantize,
               const std::array<double, N>& candidateShuffle, std::int32_t maxKind) {
  if (!inRange(candidateKind, 0, maxKind)) return -1;
  kind = candidateKind;
  for (std::size_t i = 0; i < N; ++i) {
    takeRate(quantize[i], candidateQuantize[i]);
    takeRate(shuffle[i], candidateShuffle[i]);
  }
  return 0;
}

// Keeps a stored list usable: a count within the slots, a selection within the
// count, every entry terminated.
void makeConsistent(AiTypeList& list) {
  list.count = std::clamp(list.count, 0, kAiTypeEntries);
  if (!inRange(list.selected, 0, std::max(0, list.count - 1))) list.selected = 0;
  for (auto& entry : list.entries) entry.back() = u'\0';
}

}  // namespace

int playListIndexFor(const PartSettings& parts) {
  return switchOn(parts.playSelectedPartOnly) ? parts.editPart : kPlayAllMelody;
}

int applyGeneral(Score& s, const GeneralSettings& c, SettingsListener& listener) {
  GeneralSettings& g = s.settings.general;
  const std::int32_t oldTempo = g.tempo, oldVolume = g.volume;
  takeIfInRange(g.tempo, c.tempo, 60, 240);
  takeIfInRange(g.volume, c.volume, 1, 127);
  takeIfInRange(g.melodyQuantizeResolution, c.melodyQuantizeResolution, 0, 3);
  takeIfInRange(g.melodyQuantizeTarget, c.melodyQuantizeTarget, 0, 9);
  takeIfInRange(g.drumsQuantizeResolution, c.drumsQuantizeResolution, 0, 1);
  // "Grid" is the only drums target; it is taken only from a record whose
  // target and language words are both zero.
  if (c.drumsQuantizeTarget == 0 && c.language == 0) g.drumsQuantizeTarget = 0;
  takeIfInRange(g.language, c.language, 0, 1);
  takeRate(g.melodyQuantizeStrength, c.melodyQuantizeStrength);
  takeRate(g.drumsQuantizeStrength, c.drumsQuantizeStrength);
  takeRate(g.melodyShuffleStrength, c.melodyShuffleStrength);
  takeRate(g.drumsShuffleStrength, c.drumsShuffleStrength);
  if (g.tempo != oldTempo || g.volume != oldVolume) listener.playerSettingsChanged();
  return 0;
}

int applyWindow(Score& s, const WindowSettings& c, std::span<const ScreenRect> workAreas) {
  WindowSettings& w = s.settings.window;
  w.drumsBandShown = c.drumsBandShown;
  if (switchOn(c.drumsBandShown))
    s.setFlag(kFlagDrumsBand);
  else
    s.clearFlag(kFlagDrumsBand);
  const ScreenRect placed = fitIntoNearestWorkArea({c.left, c.top, c.width, c.height}, workAreas);
  w.left = placed.left;
  w.top = placed.top;
  w.width = placed.width;
  w.height = placed.height;
  w.folders = c.folders;
  for (FolderPath& folder : w.folders) folder.back() = u'\0';
  return 0;
}

int applyParts(Score& s, const PartSettings& c, SettingsListener& listener) {
  PartSettings& p = s.settings.parts;
  const int oldPlayList = playListIndexFor(p);
  const bool oldStrict = switchOn(p.playStrictLines);
  bool playerAffected = false;
  if (inRange(c.editPart, 0, 3) && c.editPart != p.editPart) {
    selectPart(s, c.editPart, listener);
    playerAffected = true;
  }
  p.playSelectedPartOnly = c.playSelectedPartOnly;
  p.playStrictLines = c.playStrictLines;
  if (switchOn(p.playStrictLines) != oldStrict) listener.stopPlayback();
  const int playList = playListIndexFor(p);
  listener.playPartChosen(playList);
  if (playerAffected || playList != oldPlayList) listener.playerSettingsChanged();

  const bool instrumentsValid =
      std::all_of(c.instruments.begin(), c.instruments.end(), [](std::int32_t v) { return inRange(v, 0, 127); });
  if (!instrumentsValid) return -1;
  p.instruments = c.instruments;
  for (int channel = 0; channel < 4; ++channel) listener.programChange(channel, p.instruments[static_cast<std::size_t>(channel)]);
  return 0;
}

int applyDrums(Score& s, const DrumSettings& c, SettingsListener& listener) {
  DrumSettings& d = s.settings.drums;
  if (inRange(c.drumSet, kDrumSet0, kDrumSet3) && c.drumSet != d.drumSet) selectDrumSet(s, c.drumSet, listener);
  takeIfInRange(d.drumVelocity, c.drumVelocity, 1, 127);
  d.enableNoteOff = c.enableNoteOff;
  const bool keysValid =
      std::all_of(c.drumKeys.begin(), c.drumKeys.end(), [](std::int32_t k) { return inRange(k, 27, 87); });
  if (!keysValid) return -1;
  d.drumKeys = c.drumKeys;
  return 0;
}

int applyFile(Score& s, const FileSettings& c) {
  s.settings.file = c;
  return 0;
}

int applyMelody(Score& s, const MelodySettings& c) {
  MelodySettings& m = s.settings.melody;
  for (int i = 0; i < kMelodySettingCount; ++i)
    if (melodyValueValid(i, c[i])) m[i] = c[i];
  if (melodyValueValid(kKeyNote, c[kKeyNote])) s.keyBase = (c[kKeyNote] / 12) * 12;
  return 0;
}

int applyCounterNn(Score& s, const CounterNnSettings& c) {
  CounterNnSettings& n = s.settings.counterNn;
  return applyRates(n.kind, n.quantizeRate, n.shuffleRate, c.kind, c.quantizeRate, c.shuffleRate, 6);
}

int applyGeneratorNn(Score& s, const GeneratorNnSettings& c) {
  GeneratorNnSettings& n = s.settings.generatorNn;
  return applyRates(n.kind, n.quantizeRate, n.shuffleRate, c.kind, c.quantizeRate, c.shuffleRate, 3);
}

int applyAiTypes(Score& s, const std::array<AiTypeList, kAiTypeLists>& c) {
  s.settings.aiTypes = c;
  for (AiTypeList& list : s.settings.aiTypes) makeConsistent(list);
  return 0;
}

}  // namespace quorvel
