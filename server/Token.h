// The token language of generation requests and learning schedules: melody
// note and rest tokens, voice step and drum step tokens, all 32-bit values
// written in lower-case hexadecimal.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quorvel::server {

using Token = std::uint32_t;
using TokenLine = std::vector<Token>;

// Parses one token of 1..8 hexadecimal digits (either case); nothing else.
std::optional<Token> parseHexToken(std::string_view text);

// Appends the token in lower-case hexadecimal without leading zeros.
void appendHex(std::string& out, Token token);

// A melody token with any of its low 18 bits set is a note; otherwise it is
// a rest of (token >> 18) silent steps. A note carries its pitch as a row
// counted down from MIDI key 122.
inline bool isNote(Token t) { return (t & 0x3FFFFu) != 0; }
inline int noteKey(Token t) { return 122 - static_cast<int>((t >> 10) & 0xFFu); }
inline int noteLengthCode(Token t) { return static_cast<int>((t >> 2) & 0x7Fu); }
inline int noteSteps(Token t) { return 127 - noteLengthCode(t); }
inline int restSteps(Token t) { return static_cast<int>(t >> 18); }
// Steps a melody token advances the time by, as the client decodes it.
inline int melodySteps(Token t) { return isNote(t) ? noteSteps(t) : restSteps(t); }
Token makeNote(int key, int steps);

// One entry per step of a melody line: the key sounding there (-1 silent)
// and whether a note starts there.
struct StepLine {
  std::vector<int> pitch;
  std::vector<bool> onset;
};
StepLine melodyToSteps(const TokenLine& line);

}  // namespace quorvel::server
