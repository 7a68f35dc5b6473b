#include "app/CommandFeedback.h"

#include <algorithm>
#include <iterator>
#include <mutex>
#include <vector>

#include "app/AppContext.h"
#include "app/CommandIds.h"
#include "base/Messages.h"

namespace quorvel {

namespace {

constexpr int kMessageField = 1;

struct ToolFeedback {
  int id;
  FeedbackTexts texts;
};

// With the strength at its default of 0 these tools move nothing: say where to set it.
constexpr FeedbackTexts kQuantizeAtZero{"Quantized %d notes", "Nothing to quantize: the strength is 0 (Options)"};
constexpr FeedbackTexts kShuffleAtZero{"Shuffled %d notes", "Nothing to shuffle: the strength is 0 (Options)"};

constexpr ToolFeedback kTools[] = {
    {cmd::kQuantizeToGrid, {"Quantized %d notes", "Nothing to quantize"}},
    {cmd::kQuantizeToOtherPart, {"Quantized %d notes", "Nothing to quantize"}},
    {cmd::kShuffle, {"Shuffled %d notes", "Nothing to shuffle"}},
    {cmd::kRegulateBarLength, {"Regulated %d notes", "Nothing to regulate"}},
    {cmd::kTrimOpeningSilence, {"Trimmed the opening silence: %d notes moved", "Nothing to trim"}},
    {cmd::kTrimOpeningSilenceDrums, {"Trimmed the opening silence: %d notes moved", "Nothing to trim"}},
    {cmd::kReduceNoteValues, {"Reduced the values of %d notes", "Nothing to reduce"}},
    {cmd::kDivideIntoParts, {"Divided %d notes into 4 parts", "Nothing to divide"}},
    {cmd::kFitKeyNoteToC3, {"Moved %d notes to the key of C3", "Nothing to move"}},
    {cmd::kUndo, {"Undone: %d notes changed", "Nothing to undo"}},
    {cmd::kRedo, {"Redone: %d notes changed", "Nothing to redo"}},
};

// Multiset difference of two sorted lists: how many codes of `a` have no partner in `b`.
std::size_t unmatched(const std::vector<NoteCode>& a, const std::vector<NoteCode>& b) {
  std::vector<NoteCode> rest;
  std::set_difference(a.begin(), a.end(), b.begin(), b.end(), std::back_inserter(rest));
  return rest.size();
}

// "1 note", not "1 notes"; the Japanese texts have no plural.
std::string withCount(std::string text, int count) {
  const auto at = text.find("%d");
  if (at != std::string::npos) text.replace(at, 2, std::to_string(count));
  const auto plural = text.find(" notes");
  if (count == 1 && plural != std::string::npos) text.erase(plural + 5, 1);
  return text;
}

}  // namespace

SongSnapshot::SongSnapshot(const Score& s) : notes_(allNotes(s)) {}

std::vector<NoteCode> SongSnapshot::allNotes(const Score& s) {
  std::lock_guard lock(s.noteMutex);
  std::vector<NoteCode> all;
  for (int set = kBassSet; set <= kDrumSet3; ++set) {
    const NoteSet& notes = s.noteSets[static_cast<std::size_t>(set)];
    all.insert(all.end(), notes.begin(), notes.end());
  }
  std::sort(all.begin(), all.end());
  return all;
}

int SongSnapshot::changedNotes(const Score& now) const {
  const std::vector<NoteCode> after = allNotes(now);
  return static_cast<int>(std::max(unmatched(after, notes_), unmatched(notes_, after)));
}

std::string feedbackText(const FeedbackTexts& texts, int result, int changed, int language) {
  // -1: the tool has already said why it refused.
  if (result == -1) return {};
  if (changed == 0) return localized(texts.nothing, language);
  return withCount(localized(texts.changed, language), changed);
}

const FeedbackTexts* feedbackFor(int commandId) {
  for (const ToolFeedback& tool : kTools)
    if (tool.id == commandId) return &tool.texts;
  return nullptr;
}

const FeedbackTexts& textsForSettings(const Score& s, int commandId, const FeedbackTexts& texts) {
  const GeneralSettings& g = s.settings.general;
  const bool drums = s.drumsEditMode();
  if (commandId == cmd::kQuantizeToGrid && (drums ? g.drumsQuantizeStrength : g.melodyQuantizeStrength) <= 0.0)
    return kQuantizeAtZero;
  // Quantizing to another part moves melody onsets with the melody strength.
  if (commandId == cmd::kQuantizeToOtherPart && !drums && g.melodyQuantizeStrength <= 0.0) return kQuantizeAtZero;
  if (commandId == cmd::kShuffle && (drums ? g.drumsShuffleStrength : g.melodyShuffleStrength) <= 0.0)
    return kShuffleAtZero;
  return texts;
}

int runWithFeedback(AppContext& app, int commandId, const FeedbackTexts& texts, const std::function<int()>& action) {
  const SongSnapshot before(app.score);
  const FeedbackTexts& chosen = textsForSettings(app.score, commandId, texts);
  const int result = action();
  const std::string text = feedbackText(chosen, result, before.changedNotes(app.score), app.score.language());
  if (!text.empty()) app.ui.setStatus(kMessageField, text);
  return result;
}

}  // namespace quorvel
