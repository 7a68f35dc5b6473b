#pragma once
// The menu bar, built from the menu table in the user's language. Each action carries its command id and dispatches it.
#include <QMenu>
#include <QMenuBar>

namespace quorvel {

struct AppContext;

inline constexpr const char* kCommandIdProperty = "commandId";

void buildMenuBar(QMenuBar& bar, AppContext& app);
// Greys the commands that have nothing to act on (Undo without history, ...);
// runs each time the menu opens.
void updateMenuState(QMenu& menu, const AppContext& app);

}  // namespace quorvel
