#pragma once
// Note preview and real-time input in the spine: the note keys, Ctrl+M,
// "Stop" during a take, and the choice made in "Choose Learning Type".
#include <string>

#include "generator/RealtimePartners.h"
#include "playback/NotePreview.h"

namespace quorvel {

struct AppContext;
struct Score;

// What the dialog "Choose Learning Type" chose.
struct RealtimeChoice {
  int partners = 0;  // the learning type: partner voices below the edited part, 0..3
  bool record = false;
  bool monophonic = false;
};

// The message that keeps the dialog open, or empty when the choice is usable.
std::string realtimeChoiceRefusal(const RealtimeChoice& choice, int editPart);
// realtimeMode bits of a choice: 1, 3, 9 or 11.
int realtimeModeOf(const RealtimeChoice& choice);

// The generator's partner voices over the live generation settings.
class GeneratorPartners : public PartnerSource {
 public:
  GeneratorPartners(const Score& score, Random& random) : score_(score), partners_(random) {}
  void answer(int count, int playedKey, std::array<int, kMaxPartners>& pitches) override;
  void off() override { partners_.realtimeOff(); }

 private:
  const Score& score_;
  RealtimePartners partners_;
};

// Turns real-time mode on. With recording it first asks to save a modified
// song and clears the score; 0 when the mode is on, -2 when the question was
// cancelled (the mode stays off).
int startRealtimeMode(AppContext& app, NotePreview& preview, const RealtimeChoice& choice);
// Ends a take (writing its notes), leaves real-time mode and pauses playback.
void stopRealtimeMode(AppContext& app, NotePreview& preview);

// Binds the note keys, Ctrl+M and "Stop" to the preview.
void wireRealtimeInput(AppContext& app, NotePreview& preview);

}  // namespace quorvel
