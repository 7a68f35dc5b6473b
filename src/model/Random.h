#pragma once
// The program's one random generator: a 32-bit linear congruential generator
// whose exact sequence generation results depend on. One object per
// application, passed to whoever draws; tests seed it.
#include <cstdint>

namespace quorvel {

class Random {
 public:
  explicit Random(std::uint32_t seed = 1) : state_(seed) {}

  void seed(std::uint32_t s) {
    state_ = s;
    haveGaussianPair_ = false;
  }
  // 0..32767.
  int next() {
    state_ = state_ * 214013u + 2531011u;
    return static_cast<int>((state_ >> 16) & 0x7FFF);
  }
  int r1000() { return next() % 1000; }
  int bit() { return next() & 1; }
  // Box-Muller: a pair of uniforms serves two calls (cosine, then sine).
  double gaussian(double sigma, double mean);

 private:
  std::uint32_t state_;
  bool haveGaussianPair_ = false;
  double u1_ = 0.0, u2_ = 0.0;
};

}  // namespace quorvel
