#pragma once
// Real melodies for the counter-lines tests, brought into shape the way a
// user does it: a game tune through "regulate" and back through a file, or
// the soprano of a chorale, each with its detected key.
#include <filesystem>
#include <string>
#include <vector>

#include "base/Ui.h"
#include "generator/GenerationVoices.h"
#include "model/Score.h"

namespace quorvel::testing {

// The song regulated, written and read again merged into the Soprano, with
// the detected key as the generator's key. False when it cannot be read.
bool loadRegulatedSong(Score& score, Ui& ui, const std::filesystem::path& file);

// The first melody track (the soprano) of a chorale file in the Soprano,
// with the detected key.
bool loadChoraleSoprano(Score& score, Ui& ui, const std::filesystem::path& file);

// The lines of a finished counter-lines result as the search saw them: the
// melody's top notes in the frame of middle C (leaps limited), and under
// each note the pitch of each lower part's note that starts with it (-1
// where none does).
VoiceLines counterLinesOf(const Score& score, int voiceCount);

// Real keys of the lower parts' notes under MIDI key `lowest`.
int notesBelow(const Score& score, int voiceCount, int lowest);

}  // namespace quorvel::testing
