#include "app/VoiceLeadingCommands.h"

#include <algorithm>
#include <cstdio>
#include <memory>

#include "app/AppContext.h"
#include "app/PartSelection.h"
#include "app/ViewGeometry.h"
#include "base/Messages.h"

namespace quorvel {

namespace {

std::vector<std::string> findingRow(const VoiceFinding& f, int language) {
  return {std::to_string(barOf(f.step)), beatOf(f.step), partsText(f.parts, language), ruleText(f.rule, language)};
}

std::string summaryOf(std::size_t count, int language) {
  if (count == 0) return localized("No rule is broken.", language);
  if (count == 1) return localized("1 place breaks a rule. Click its row to select its notes.", language);
  const std::string format = localized("%d places break a rule. Click a row to select its notes.", language);
  char text[256];
  std::snprintf(text, sizeof text, format.c_str(), static_cast<int>(count));
  return text;
}

// Brings the selection into sight, a bar of what leads to it before it.
void scrollToShowBounds(ViewState& v, const Bounds& b) {
  if (b.left < v.scrollX || b.right > v.scrollX + v.clientWidth)
    v.scrollX = std::clamp(b.left - kBarPixels, 0, maxScrollX(v));
  if (b.top < v.scrollY || b.bottom > v.scrollY + v.clientHeight)
    v.scrollY = std::clamp((b.top + b.bottom - v.clientHeight) / 2, 0, maxScrollY(v));
}

bool involves(const VoiceFinding& f, int part) { return std::find(f.parts.begin(), f.parts.end(), part) != f.parts.end(); }

}  // namespace

int showVoiceLeadingCheck(AppContext& app, int) {
  const int language = app.score.language();
  // Shared with the window, which may outlive this call.
  auto findings = std::make_shared<const std::vector<VoiceFinding>>(
      checkVoiceLeading(app.score, voicesInUse(app.score)));
  VoiceLeadingWindowRequest request;
  request.title = localized("Check Voice Leading", language);
  for (const char* title : {"Bar", "Beat", "Voices", "Rule"}) request.columnTitles.push_back(localized(title, language));
  for (const VoiceFinding& f : *findings) request.rows.push_back(findingRow(f, language));
  request.summary = summaryOf(findings->size(), language);
  request.closeLabel = localized("Close", language);
  request.rowChosen = [&app, findings](int row) {
    if (row >= 0 && row < static_cast<int>(findings->size()))
      selectFindingNotes(app, (*findings)[static_cast<std::size_t>(row)]);
  };
  app.ui.showVoiceLeadingWindow(request);
  return 0;
}

int selectFindingNotes(AppContext& app, const VoiceFinding& finding) {
  Score& s = app.score;
  // A generation run pumps events: the song and its selection are its own until it ends.
  if (app.busy() || finding.parts.empty()) return 0;
  setDrumsEditMode(app, false);
  if (!involves(finding, s.editPart())) s.settings.parts.editPart = finding.parts.front();
  const int part = s.editPart();
  const NoteSet& notes = s.noteSets[static_cast<std::size_t>(part)];
  NoteSet chosen;
  for (NoteCode c : finding.notes)
    if (melodyPart(c) == part && notes.count(c) != 0 && chosen.count(c) == 0) chosen.insert(c);
  const int count = static_cast<int>(chosen.size());
  {
    std::lock_guard lock(s.noteMutex);
    s.noteSets[kSelection] = std::move(chosen);
  }
  s.selectionBounds = computeSelectionBounds(s);
  if (count > 0) scrollToShowBounds(app.view, s.selectionBounds);
  app.ui.redraw(RedrawTarget::All);
  return count;
}

}  // namespace quorvel
