#pragma once
// Every tool command answers in status field 1: how many notes it changed, or
// that there was nothing to do. Tools that refuse with a message box keep
// their box and add nothing here.
#include <functional>
#include <string>
#include <vector>

#include "model/Score.h"

namespace quorvel {

struct AppContext;

// Notes that differ between two states of the four parts and four drum sets
// taken together: the larger of the notes gained and the notes lost, so a
// note moved in time or to another part counts once.
class SongSnapshot {
 public:
  explicit SongSnapshot(const Score& s);
  int changedNotes(const Score& now) const;

 private:
  static std::vector<NoteCode> allNotes(const Score& s);
  std::vector<NoteCode> notes_;  // sorted
};

struct FeedbackTexts {
  const char* changed;  // with one "%d" for the count
  const char* nothing;
};

// "Quantized 312 notes" or "Nothing to quantize", in the song's language.
std::string feedbackText(const FeedbackTexts& texts, int result, int changed, int language);

// The texts of a command that answers this way, or nullptr.
const FeedbackTexts* feedbackFor(int commandId);

// The texts that fit the settings: a quantize or shuffle strength of 0 is named.
const FeedbackTexts& textsForSettings(const Score& s, int commandId, const FeedbackTexts& texts);

// Runs a command's action and writes its answer to status field 1.
int runWithFeedback(AppContext& app, int commandId, const FeedbackTexts& texts, const std::function<int()>& action);

}  // namespace quorvel
