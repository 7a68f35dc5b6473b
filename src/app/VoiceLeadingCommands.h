#pragma once
// Tools > Check Voice Leading: the places where the song breaks a
// voice-leading rule, listed in a window; choosing one selects its notes.
#include "tools/VoiceLeading.h"

namespace quorvel {

struct AppContext;

// Checks the voices in use and shows the findings through the Ui port.
int showVoiceLeadingCheck(AppContext& app, int);

// Selects the finding's notes that the song still holds in the edited part,
// first making the finding's upper voice the edited part when the edited
// part is not one of its voices (the selection belongs to one part), and
// scrolls them into view. Answers how many notes are selected.
int selectFindingNotes(AppContext& app, const VoiceFinding& finding);

}  // namespace quorvel
