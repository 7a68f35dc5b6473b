#pragma once
// The defaults of each Options tab, applied through the groups' apply operations.
#include "settings/SettingsListener.h"
#include "base/SettingsRecord.h"

namespace quorvel {

struct Score;

// Options tabs, in tab order; the index is the restore-defaults index.
enum OptionsTab : int {
  kTabGeneral = 0,
  kTabMelody = 1,
  kTabParts = 2,
  kTabDrums = 3,
  kTabFile = 4,
  kTabAiType = 5,
  kTabCounterNn = 6,
  kTabGeneratorNn = 7,
  kOptionsTabCount = 8
};

// The default record of the General tab, with the language of the user's locale.
GeneralSettings defaultGeneralSettings();
// One list holding the single entry "000_default", selected.
AiTypeList defaultAiTypeList();

// Applies the defaults of one tab (0..7); -1 for another index.
int restoreDefaults(Score& s, int tab, SettingsListener& listener);
// Every tab's defaults and the default window block: the settings of a first
// start, or after the settings file could not be read.
void restoreAllDefaults(Score& s, SettingsListener& listener);

}  // namespace quorvel
