// Little-endian writing and bounds-checked reading of model files.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace quorvel::server {

class ByteWriter {
 public:
  void u32(std::uint32_t v);
  void u64(std::uint64_t v);
  void f64(double v);
  void text(const std::string& s);
  std::vector<std::uint8_t>& bytes() { return bytes_; }

 private:
  std::vector<std::uint8_t> bytes_;
};

// Every read past the end sets failed() and yields zeros, so a truncated file
// is noticed once, after reading, instead of at every field.
class ByteReader {
 public:
  ByteReader(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
  std::uint32_t u32();
  std::uint64_t u64();
  double f64();
  std::string text();
  bool failed() const { return failed_; }
  std::size_t remaining() const { return size_ - pos_; }
  // For counts read from the file: fails when fewer than count * itemBytes remain.
  bool canHold(std::uint64_t count, std::size_t itemBytes);

 private:
  bool take(std::size_t n);
  const std::uint8_t* data_;
  std::size_t size_;
  std::size_t pos_ = 0;
  bool failed_ = false;
};

std::uint64_t fnv1a(const std::uint8_t* data, std::size_t size);

}  // namespace quorvel::server
