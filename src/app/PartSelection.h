#pragma once
// Switching between editing a melody part and editing a drum set.

namespace quorvel {

struct AppContext;

// Clears the selection, which belongs to the active set, when the mode changes.
void setDrumsEditMode(AppContext& app, bool on);
inline void enterDrumsEditMode(AppContext& app) { setDrumsEditMode(app, true); }

}  // namespace quorvel
