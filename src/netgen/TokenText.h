#pragma once
// The request data text: tokens in lower-case hexadecimal, each followed by
// '+'. Only whole tokens are written; once one does not fit in the buffer the
// text is closed, so `count` is always the number of tokens in `text`.
#include <cstddef>
#include <cstdint>
#include <string>

namespace quorvel {

class TokenText {
 public:
  explicit TokenText(std::size_t bufferSize) : maxChars_(bufferSize - 1) {}

  // Answers false (and writes nothing) when the token does not fit.
  bool add(std::uint32_t token);
  const std::string& text() const { return text_; }
  int count() const { return count_; }
  bool full() const { return full_; }

 private:
  std::size_t maxChars_;
  std::string text_;
  int count_ = 0;
  bool full_ = false;
};

// "f9ec+" for 0xF9EC.
std::string tokenWithPlus(std::uint32_t token);

}  // namespace quorvel
