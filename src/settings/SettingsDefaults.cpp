#include "settings/SettingsDefaults.h"

#include "model/Score.h"
#include "settings/FirstStartLanguage.h"
#include "settings/SettingsApply.h"
#include "settings/Utf16.h"

namespace quorvel {

GeneralSettings defaultGeneralSettings() {
  GeneralSettings g;
  g.language = firstStartLanguage();
  return g;
}

AiTypeList defaultAiTypeList() {
  AiTypeList list;
  list.selected = 0;
  list.count = 1;
  storeSlotText(list.entries[0], "000_default");
  return list;
}

int restoreDefaults(Score& s, int tab, SettingsListener& listener) {
  switch (tab) {
    case kTabGeneral:
      return applyGeneral(s, defaultGeneralSettings(), listener);
    case kTabMelody:
      return applyMelody(s, MelodySettings{});
    case kTabParts:
      return applyParts(s, PartSettings{}, listener);
    case kTabDrums:
      return applyDrums(s, DrumSettings{}, listener);
    case kTabFile:
      return applyFile(s, FileSettings{});
    case kTabAiType: {
      std::array<AiTypeList, kAiTypeLists> lists;
      lists.fill(defaultAiTypeList());
      return applyAiTypes(s, lists);
    }
    case kTabCounterNn:
      return applyCounterNn(s, CounterNnSettings{});
    case kTabGeneratorNn:
      return applyGeneratorNn(s, GeneratorNnSettings{});
    default:
      return -1;
  }
}

void restoreAllDefaults(Score& s, SettingsListener& listener) {
  for (int tab = 0; tab < kOptionsTabCount; ++tab) restoreDefaults(s, tab, listener);
  s.settings.window = WindowSettings{};
  s.setFlag(kFlagDrumsBand);
}

}  // namespace quorvel
