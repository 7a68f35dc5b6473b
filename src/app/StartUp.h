#pragma once
// Reading the settings at start-up and writing them at exit.
#include <span>

#include "settings/ScreenGeometry.h"

namespace quorvel {

struct AppContext;
class SettingsListener;

// Reads the settings file at app.settingsPath; when it cannot be read, every
// default applies (the reader has already said why, where that needs saying).
void readSettingsAtStart(AppContext& app, SettingsListener& listener, std::span<const ScreenRect> workAreas);

// 0 written, -1 failed (with a message), -2 no settings file is used.
int writeSettingsAtExit(AppContext& app);

}  // namespace quorvel
