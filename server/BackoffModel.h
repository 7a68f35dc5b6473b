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
#include <unordered_set>
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
  // Draws are sharpened by one temperature (below 1), fixed so that each
  // context's weights are worked out once, when the model is built or read.
  static constexpr double kTemperature = 0.8;
  // The tempered chance of a draw staying with what a context kept (share)
  // rather than handing on to the shorter context; drum models draw with it.
  static double temperedStay(double share);
  // Draws a token.
  Token sample(const Features& context, Rng& rng, const TokenBias& bias) const;

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
    std::vector<double> drawWeights;  // running sums of the tempered kept counts, as entries
    double stay = 0.0;                // tempered chance that a draw stays with this context
    std::uint32_t countOf(std::uint32_t id) const;
  };
  using Level = std::unordered_map<std::uint64_t, Node>;

  std::vector<const Node*> contextNodes(const Features& context) const;
  double probabilityFrom(const std::vector<const Node*>& nodes, std::uint32_t id, Token token) const;
  double floorProbability(Token token) const;
  std::optional<Token> drawOnce(const std::vector<const Node*>& nodes, Rng& rng) const;

  int order_ = 0;
  std::vector<Token> tokens_;  // token of id i + 1; id 0 stands for any unseen token
  std::unordered_map<Token, std::uint32_t> ids_;
  std::vector<std::array<double, 3>> discounts_;  // per order: counts of 1, 2, 3 or more
  static double discount(const std::array<double, 3>& d, std::uint32_t count) { return d[std::min(count, 3u) - 1]; }
  void finishNode(int level, Node& node) const;
  std::vector<Level> levels_;
  // For drum steps: the share of steps that play each lane, and of the hits
  // played how many are accented or doubled (plain and accented together).
  // The floor is then the lanes played independently, with one accent rate
  // for all: an unseen mix of hits, or a lane accented where the training
  // songs never accented it, gets the chance of its lanes rather than a
  // sliver of a uniform share.
  std::vector<double> lanePlayed_;
  double accentShare_ = 0.0;
  double doubleShare_ = 0.0;
  double laneFloor(Token token) const;
  Token drawLanes(Rng& rng) const;
};

class BackoffModel::Builder {
 public:
  // lanes > 0: tokens are drum steps, a bit per lane played and the same
  // bits shifted by `lanes` for accents. Such a model counts each context
  // and token once per line: a song plays its loop dozens of times, which is
  // one piece of evidence about drumming, not dozens.
  explicit Builder(int order, int lanes = 0);
  void add(const Features& context, Token target);
  // Ends the line the tokens added so far belong to.
  void endLine();
  BackoffModel build() const;

 private:
  int order_;
  int lanes_;
  std::vector<std::size_t> played_;
  std::size_t accented_ = 0, doubled_ = 0, hits_ = 0;
  std::unordered_set<std::uint64_t> seenInLine_;
  std::size_t targets_ = 0;
  std::vector<Token> tokens_;
  std::unordered_map<Token, std::uint32_t> ids_;
  std::vector<std::unordered_map<std::uint64_t, std::unordered_map<std::uint32_t, std::uint32_t>>> counts_ =
      decltype(counts_)(order_ + 1);
};

}  // namespace quorvel::server
