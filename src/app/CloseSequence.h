#pragma once
// Ending infinite generation and closing the main window.

namespace quorvel {

struct AppContext;

// The window's normal (not maximised) rectangle.
struct WindowPlacement {
  int left = 0, top = 0, width = 0, height = 0;
};

// Closes the infinite-generation window and lets the running loop end.
void endInfiniteGeneration(AppContext& app);

// Runs when the user closes the main window. Answers true when the window may
// be destroyed (settings written); false when a step kept it open.
bool runCloseSequence(AppContext& app, const WindowPlacement& placement, bool drumsButtonDown);

}  // namespace quorvel
