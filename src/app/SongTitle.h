#pragma once
// How the song's file state is worded for the user.
#include <string>

#include "base/Ui.h"

namespace quorvel {

struct Score;

// "song.mid - Quorvel", with '*' after the name while modified; "(no title)"
// before the first save.
std::string songWindowTitle(const SongState& state);
// The song as named in questions: its file's name, or "(no title)".
std::string songDisplayName(const Score& s);

}  // namespace quorvel
