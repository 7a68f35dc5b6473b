#pragma once
// Small numeric helpers the models share: a 64-bit hash step for context
// keys and a uniform draw in [0, 1).
#include <cstdint>
#include <random>

namespace quorvel::server {

// splitmix64's finaliser: neighbouring inputs give unrelated keys.
inline std::uint64_t mix(std::uint64_t x) {
  x += 0x9E3779B97F4A7C15ull;
  x = (x ^ (x >> 30)) * 0xBF58476D1CE4E5B9ull;
  x = (x ^ (x >> 27)) * 0x94D049BB133111EBull;
  return x ^ (x >> 31);
}

template <class Engine>
double uniform01(Engine& rng) {
  return std::uniform_real_distribution<double>(0.0, 1.0)(rng);
}

}  // namespace quorvel::server
