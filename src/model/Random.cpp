#include "model/Random.h"

#include <cmath>
#include <numbers>

namespace quorvel {

double Random::gaussian(double sigma, double mean) {
  if (haveGaussianPair_) {
    haveGaussianPair_ = false;
    return mean + sigma * std::sqrt(-2.0 * std::log(u1_)) * std::sin(2.0 * std::numbers::pi * u2_);
  }
  do {
    u1_ = next() / 32767.0;
  } while (u1_ == 0.0);
  u2_ = next() / 32767.0;
  haveGaussianPair_ = true;
  return mean + sigma * std::sqrt(-2.0 * std::log(u1_)) * std::cos(2.0 * std::numbers::pi * u2_);
}

}  // namespace quorvel
