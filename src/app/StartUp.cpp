#include "app/StartUp.h"

#include "app/AppContext.h"
#include "settings/SettingsDefaults.h"
#include "settings/SettingsFile.h"

namespace quorvel {

void readSettingsAtStart(AppContext& app, SettingsListener& listener, std::span<const ScreenRect> workAreas) {
  if (app.settingsPath.empty() || loadSettings(app.score, app.settingsPath, app.ui, listener, workAreas) != 0)
    restoreAllDefaults(app.score, listener);
}

int writeSettingsAtExit(AppContext& app) {
  if (app.settingsPath.empty()) return -2;
  return saveSettings(app.score, app.settingsPath, app.ui);
}

}  // namespace quorvel
