// A variable-order model of the next token given a context of features,
// smoothed by interpolated absolute discounting with the three discounts of
// modified Kneser-Ney (for counts of 1, 2, and 3 or more): each order keeps
// what it counted minus the discount and hands the rest to the next shorter
// context, down to a uniform distribution that also covers tokens never seen.
// Shorter contexts keep their plain counts rather than Kneser-Ney's
// continuation counts: those score held-out lines better but made drawn lines
// wander (larger steps, notes off the key) whenever a long context was new.
// Context features are ordered by importance; shorter contexts drop the last.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <random>
#include <unordered_map>
#include <vector>

#include "server/ByteStream.h"
#include "server/Token.h"

namespace quorvel::server {

using Feature = std::int64_t;
using Features = std::vector<Feature>;
using Rng = std::mt19937_64;
// Multiplies a candidate token's weight (0..1); 1 leaves the model as it is.
using TokenBias = std::function<double(Token)>;

class BackoffModel {
 public:
  class Builder;

  // Probability of the target after this context; unseen tokens get a share
  // of the uniform floor, so the result is always positive.
  double probability(const Features& context, Token target) const;
  // Draws a token; temperature below 1 sharpens the distribution.
  Token sample(const Features& context, double temperature, Rng& rng, const TokenBias& bias) const;

  int order() const { return order_; }
  std::size_t vocabularySize() const { return tokens_.size(); }
  std::size_t contextCount() const;

  void write(ByteWriter& out) const;
  // False when the bytes do not hold a consistent model.
  bool read(ByteReader& in);

 private:
  struct Node {
    std::uint32_t total = 0;
    double backoff = 0.0;  // the discounted mass, handed to the shorter context
    std::vector<std::pair<std::uint32_t, std::uint32_t>> entries;  // (token id, count) by id
    std::uint32_t countOf(std::uint32_t id) const;
  };
  using Level = std::unordered_map<std::uint64_t, Node>;

  std::vector<const Node*> contextNodes(const Features& context) const;
  double probabilityFrom(const std::vector<const Node*>& nodes, std::uint32_t id, Token token) const;
  double floorProbability(Token token) const;
  std::optional<Token> drawOnce(const std::vector<const Node*>& nodes, double exponent, Rng& rng) const;

  int order_ = 0;
  std::vector<Token> tokens_;  // token of id i + 1; id 0 stands for any unseen token
  std::unordered_map<Token, std::uint32_t> ids_;
  std::vector<std::array<double, 3>> discounts_;  // per order: counts of 1, 2, 3 or more
  static double discount(const std::array<double, 3>& d, std::uint32_t count) { return d[std::min(count, 3u) - 1]; }
  void finishNode(int level, Node& node) const;
  std::vector<Level> levels_;
  // For drum steps: the share of steps that play each lane bit. The floor is
  // then the lanes played independently, so an unseen mix of hits gets the
  // chance of its lanes rather than a sliver of a uniform share.
  std::vector<double> laneShares_;
};

class BackoffModel::Builder {
 public:
  // laneBits > 0: tokens are lane masks of that many bits (drum steps).
  explicit Builder(int order, int laneBits = 0);
  void add(const Features& context, Token target);
  BackoffModel build() const;

 private:
  int order_;
  int laneBits_;
  std::vector<std::size_t> laneCounts_;
  std::size_t targets_ = 0;
  std::vector<Token> tokens_;
  std::unordered_map<Token, std::uint32_t> ids_;
  std::vector<std::unordered_map<std::uint64_t, std::unordered_map<std::uint32_t, std::uint32_t>>> counts_ =
      decltype(counts_)(order_ + 1);
};

}  // namespace quorvel::server
