#include "netgen/TokenText.h"

#include <array>
#include <charconv>

namespace quorvel {

std::string tokenWithPlus(std::uint32_t token) {
  std::array<char, 9> digits{};
  const auto end = std::to_chars(digits.data(), digits.data() + digits.size(), token, 16).ptr;
  std::string out(digits.data(), end);
  out += '+';
  return out;
}

bool TokenText::add(std::uint32_t token) {
  if (full_) return false;
  const std::string written = tokenWithPlus(token);
  if (text_.size() + written.size() > maxChars_) {
    full_ = true;
    return false;
  }
  text_ += written;
  ++count_;
  return true;
}

}  // namespace quorvel
