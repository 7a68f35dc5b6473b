#pragma once
// The song as a MusicXML 3.1 score that notation programs open: the four
// voices on four staves (or two), the drums on a percussion staff, with the
// song's title, tempo, 4/4 time and key.
#include <string>

#include "notation/NotationLayout.h"

namespace quorvel {
struct Score;
}

namespace quorvel::notation {

std::string musicXmlOfSong(const Score& s, const NotationOptions& options);

// Replaces the file whole; false when it cannot be written (the old file stays).
bool writeMusicXmlFile(const Score& s, const NotationOptions& options, const std::string& path);

// The title a file's name gives its song: the name without folder and extension.
std::string titleOfPath(const std::string& path);

}  // namespace quorvel::notation
