#pragma once
// Applying a candidate settings record to the live settings of the Score:
// each operation copies only the valid fields and answers 0, or -1 when a
// field rejected the record.
#include <array>
#include <span>

#include "settings/ScreenGeometry.h"
#include "settings/SettingsListener.h"
#include "base/SettingsRecord.h"

namespace quorvel {

struct Score;

int applyGeneral(Score& s, const GeneralSettings& candidate, SettingsListener& listener);
// The rectangle is moved into the work area of the nearest monitor.
int applyWindow(Score& s, const WindowSettings& candidate, std::span<const ScreenRect> workAreas);
int applyParts(Score& s, const PartSettings& candidate, SettingsListener& listener);
int applyDrums(Score& s, const DrumSettings& candidate, SettingsListener& listener);
int applyFile(Score& s, const FileSettings& candidate);
int applyMelody(Score& s, const MelodySettings& candidate);
int applyCounterNn(Score& s, const CounterNnSettings& candidate);
int applyGeneratorNn(Score& s, const GeneratorNnSettings& candidate);
int applyAiTypes(Score& s, const std::array<AiTypeList, kAiTypeLists>& candidate);

// The set the player plays for these part options: the edit part when only the
// selected part plays, else every melody part.
int playListIndexFor(const PartSettings& parts);

}  // namespace quorvel
