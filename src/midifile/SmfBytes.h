#pragma once
// Byte-level pieces of Standard MIDI Files: a bounded reader that can never
// step outside its buffer, and the writer's variable-length quantities.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "base/FileIo.h"

namespace quorvel {

using ByteView = std::span<const std::uint8_t>;

// Reads a variable-length quantity at `at`, moving past what it read: 1 to 4
// bytes, 7 bits each; a fifth continuation byte or the end makes it invalid.
inline std::optional<std::uint32_t> takeVlq(const std::uint8_t*& at, const std::uint8_t* end) {
  std::uint32_t value = 0;
  for (int i = 0; i < 4 && at != end; ++i) {
    const std::uint8_t b = *at++;
    value = (value << 7) | (b & 0x7Fu);
    if ((b & 0x80u) == 0) return value;
  }
  return std::nullopt;
}

// Reads big-endian integers and variable-length quantities from a span.
// Every read checks the remaining length first and answers nullopt (or
// false) instead of reading past the end.
class ByteReader {
 public:
  explicit ByteReader(ByteView data) : data_(data) {}

  std::size_t position() const { return pos_; }
  std::size_t remaining() const { return data_.size() - pos_; }
  bool atEnd() const { return pos_ >= data_.size(); }

  std::optional<std::uint8_t> u8() {
    if (atEnd()) return std::nullopt;
    return data_[pos_++];
  }
  std::optional<std::uint8_t> peek() const {
    if (atEnd()) return std::nullopt;
    return data_[pos_];
  }
  bool skip(std::size_t n) {
    if (n > remaining()) return false;
    pos_ += n;
    return true;
  }
  std::optional<ByteView> take(std::size_t n) {
    if (n > remaining()) return std::nullopt;
    ByteView v = data_.subspan(pos_, n);
    pos_ += n;
    return v;
  }
  std::optional<std::uint32_t> vlq() {
    const std::uint8_t* at = data_.data() + pos_;
    const auto value = takeVlq(at, data_.data() + data_.size());
    pos_ = static_cast<std::size_t>(at - data_.data());
    return value;
  }

 private:
  ByteView data_;
  std::size_t pos_ = 0;
};

inline std::uint32_t readBe32(ByteView d, std::size_t at) {
  return (std::uint32_t{d[at]} << 24) | (std::uint32_t{d[at + 1]} << 16) |
         (std::uint32_t{d[at + 2]} << 8) | std::uint32_t{d[at + 3]};
}
inline std::uint16_t readBe16(ByteView d, std::size_t at) {
  return static_cast<std::uint16_t>((d[at] << 8) | d[at + 1]);
}

inline void appendBe32(Bytes& out, std::uint32_t v) {
  out.push_back(static_cast<std::uint8_t>(v >> 24));
  out.push_back(static_cast<std::uint8_t>(v >> 16));
  out.push_back(static_cast<std::uint8_t>(v >> 8));
  out.push_back(static_cast<std::uint8_t>(v));
}
inline void appendBe16(Bytes& out, std::uint16_t v) {
  out.push_back(static_cast<std::uint8_t>(v >> 8));
  out.push_back(static_cast<std::uint8_t>(v));
}
// Values above 0x0FFFFFFF do not fit four groups; callers never produce them.
inline void appendVlq(Bytes& out, std::uint32_t v) {
  std::uint8_t groups[4];
  int n = 0;
  do {
    groups[n++] = static_cast<std::uint8_t>(v & 0x7F);
    v >>= 7;
  } while (v != 0 && n < 4);
  while (n > 1) out.push_back(static_cast<std::uint8_t>(groups[--n] | 0x80));
  out.push_back(groups[0]);
}

}  // namespace quorvel
