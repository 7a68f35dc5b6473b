// The line's own past as a model of what comes next. Drum parts repeat their
// patterns, and songs differ from each other far more than one song differs
// from itself, so what followed the same few steps earlier in this line is
// the best guess of what follows now. Interpolated absolute discounting over
// the contexts the line has shown (the place in a 4/4 bar of sixteenths,
// counted from the line's start, the voices' step token there for drums
// under voices, and the tokens before), backing off to the learned model.
// The place keeps a drawn line on the beat the line has; the voices keep it
// following them.
#pragma once

#include <cstdint>
#include <optional>
#include <unordered_map>
#include <utility>
#include <vector>

#include "server/BackoffModel.h"

namespace quorvel::server {

class LineCache {
 public:
  static constexpr int kOrder = 8;
  static constexpr double kDiscount = 0.8;
  static constexpr std::size_t kBarSteps = 16;

  // voices: the step tokens the line is written under, one per step, or
  // nothing; it must outlive the cache.
  explicit LineCache(const TokenLine* voices = nullptr) : voices_(voices) {}

  // Learns line[at] after the tokens before it.
  void learnAt(const TokenLine& line, std::size_t at);
  void learnLast(const TokenLine& line) {
    if (!line.empty()) learnAt(line, line.size() - 1);
  }
  // Probability of the next token after history, given the learned model's.
  double probability(const TokenLine& history, Token token, double learned) const;
  // A draw from the line's own contexts, sharpened as the learned model's
  // draws are; nothing when the draw hands down to the learned model.
  std::optional<Token> draw(const TokenLine& history, Rng& rng) const;

 private:
  struct Node {
    std::uint32_t total = 0;
    std::vector<std::pair<Token, std::uint32_t>> entries;  // in order of first sight
  };
  std::vector<std::uint64_t> keysAt(const TokenLine& line, std::size_t end) const;
  // The nodes of the contexts of history's end, shortest first, up to the first unseen.
  std::vector<const Node*> nodesAfter(const TokenLine& history, std::size_t end) const;
  const TokenLine* voices_;
  std::unordered_map<std::uint64_t, Node> nodes_;
};

}  // namespace quorvel::server
