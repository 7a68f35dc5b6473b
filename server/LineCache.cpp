#include "server/LineCache.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "server/Mixing.h"

namespace quorvel::server {
namespace {

// The tempered weight of a count, worked out once for the counts a line mostly holds.
double drawWeight(std::uint32_t count) {
  constexpr std::uint32_t kTabled = 64;
  static const auto table = [] {
    std::array<double, kTabled> t{};
    for (std::uint32_t c = 1; c < kTabled; ++c) t[c] = std::pow(c - LineCache::kDiscount, 1.0 / BackoffModel::kTemperature);
    return t;
  }();
  return count < kTabled ? table[count] : std::pow(count - LineCache::kDiscount, 1.0 / BackoffModel::kTemperature);
}

}  // namespace

// Context keys of the step at `end`, shortest first: none, the place in the
// bar, the voices there, then ever more tokens before it.
std::vector<std::uint64_t> LineCache::keysAt(const TokenLine& line, std::size_t end) const {
  std::vector<std::uint64_t> keys{mix(0)};
  std::uint64_t key = mix(1 + end % kBarSteps);
  keys.push_back(key);
  if (voices_) {
    key = mix(key ^ (end < voices_->size() ? (*voices_)[end] : 0xFFFFFFFFFFull));
    keys.push_back(key);
  }
  for (int k = 1; k <= kOrder && static_cast<std::size_t>(k) <= end; ++k) {
    key = mix(key ^ line[end - k]);
    keys.push_back(key);
  }
  return keys;
}

std::vector<const LineCache::Node*> LineCache::nodesAfter(const TokenLine& history, std::size_t end) const {
  std::vector<const Node*> nodes;
  for (std::uint64_t key : keysAt(history, end)) {
    const auto it = nodes_.find(key);
    if (it == nodes_.end()) break;
    nodes.push_back(&it->second);
  }
  return nodes;
}

void LineCache::learnAt(const TokenLine& history, std::size_t end) {
  const Token token = history[end];
  for (std::uint64_t key : keysAt(history, end)) {
    Node& node = nodes_[key];
    ++node.total;
    auto it = std::find_if(node.entries.begin(), node.entries.end(), [&](const auto& e) { return e.first == token; });
    if (it == node.entries.end()) node.entries.emplace_back(token, 1);
    else ++it->second;
  }
}

double LineCache::probability(const TokenLine& history, Token token, double learned) const {
  double p = learned;
  for (const Node* node : nodesAfter(history, history.size())) {
    std::uint32_t count = 0;
    for (const auto& [t, c] : node->entries)
      if (t == token) count = c;
    const double kept = count > 0 ? count - kDiscount : 0.0;
    p = (kept + kDiscount * static_cast<double>(node->entries.size()) * p) / node->total;
  }
  return p;
}

// Walks down from the longest context: stays with the share it kept, else
// hands on to the next shorter one, and below the shortest context that holds
// all the step is conditioned on (the place in the bar, the voices there) to
// the model. A draw from what the line played regardless of place or voices
// would feed on itself and wash out the beat; the learned model knows them.
std::optional<Token> LineCache::draw(const TokenLine& history, Rng& rng) const {
  const auto nodes = nodesAfter(history, history.size());
  const std::size_t shortest = voices_ ? 2 : 1;
  for (std::size_t k = nodes.size(); k-- > shortest;) {
    const Node& node = *nodes[k];
    const double handedOn = kDiscount * static_cast<double>(node.entries.size());
    if (uniform01(rng) >= BackoffModel::temperedStay(1.0 - handedOn / node.total)) continue;
    double sum = 0.0;
    for (const auto& entry : node.entries) sum += drawWeight(entry.second);
    double r = uniform01(rng) * sum;
    for (const auto& [token, count] : node.entries) {
      r -= drawWeight(count);
      if (r < 0.0) return token;
    }
    return node.entries.back().first;
  }
  return std::nullopt;
}

}  // namespace quorvel::server
