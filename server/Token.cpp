#include "server/Token.h"

#include <algorithm>

namespace quorvel::server {

std::optional<Token> parseHexToken(std::string_view text) {
  if (text.empty() || text.size() > 8) return std::nullopt;
  Token value = 0;
  for (char c : text) {
    int digit;
    if (c >= '0' && c <= '9') digit = c - '0';
    else if (c >= 'a' && c <= 'f') digit = c - 'a' + 10;
    else if (c >= 'A' && c <= 'F') digit = c - 'A' + 10;
    else return std::nullopt;
    value = (value << 4) | static_cast<Token>(digit);
  }
  return value;
}

void appendHex(std::string& out, Token token) {
  char digits[8];
  int n = 0;
  do {
    digits[n++] = "0123456789abcdef"[token & 0xFu];
    token >>= 4;
  } while (token != 0);
  while (n > 0) out.push_back(digits[--n]);
}

Token makeNote(int key, int steps) {
  const int lengthCode = 127 - std::clamp(steps, 1, 127);
  return (static_cast<Token>((122 - key) & 0xFF) << 10) | (static_cast<Token>(lengthCode) << 2);
}

StepLine melodyToSteps(const TokenLine& line) {
  StepLine steps;
  for (Token t : line) {
    const int n = melodySteps(t);
    const int pitch = isNote(t) ? noteKey(t) : -1;
    for (int i = 0; i < n; ++i) {
      steps.pitch.push_back(pitch);
      steps.onset.push_back(isNote(t) && i == 0);
    }
  }
  return steps;
}

}  // namespace quorvel::server
