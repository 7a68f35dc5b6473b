#include "server/BackoffModel.h"

#include <algorithm>
#include <cmath>

namespace quorvel::server {
namespace {

std::uint64_t mix(std::uint64_t x) {
  x += 0x9E3779B97F4A7C15ull;
  x = (x ^ (x >> 30)) * 0xBF58476D1CE4E5B9ull;
  x = (x ^ (x >> 27)) * 0x94D049BB133111EBull;
  return x ^ (x >> 31);
}

std::uint64_t contextKey(const Features& context, int level) {
  std::uint64_t h = mix(static_cast<std::uint64_t>(level));
  for (int i = 0; i < level; ++i) h = mix(h ^ static_cast<std::uint64_t>(context[i]));
  return h;
}

double uniform01(Rng& rng) { return std::uniform_real_distribution<double>(0.0, 1.0)(rng); }

constexpr std::uint32_t kMaxOrder = 32;
constexpr int kDrawAttempts = 40;
constexpr std::uint32_t kMaxVocabulary = 1u << 24;

}  // namespace

std::uint32_t BackoffModel::Node::countOf(std::uint32_t id) const {
  auto it = std::lower_bound(entries.begin(), entries.end(), std::make_pair(id, 0u));
  return it != entries.end() && it->first == id ? it->second : 0;
}

std::size_t BackoffModel::contextCount() const {
  std::size_t n = 0;
  for (const Level& level : levels_) n += level.size();
  return n;
}

std::vector<const BackoffModel::Node*> BackoffModel::contextNodes(const Features& context) const {
  std::vector<const Node*> nodes;
  for (int k = 0; k <= order_ && k <= static_cast<int>(context.size()); ++k) {
    auto it = levels_[k].find(contextKey(context, k));
    if (it == levels_[k].end()) break;
    nodes.push_back(&it->second);
  }
  return nodes;
}

double BackoffModel::floorProbability(Token token) const {
  if (laneShares_.empty()) return 1.0 / static_cast<double>(tokens_.size() + 1);
  double p = 1.0;
  for (std::size_t bit = 0; bit < laneShares_.size(); ++bit)
    p *= token >> bit & 1u ? laneShares_[bit] : 1.0 - laneShares_[bit];
  return (token >> laneShares_.size()) == 0 ? p : 0.0;
}

double BackoffModel::probabilityFrom(const std::vector<const Node*>& nodes, std::uint32_t id, Token token) const {
  double p = floorProbability(token);
  for (std::size_t k = 0; k < nodes.size(); ++k) {
    const Node& node = *nodes[k];
    const std::uint32_t c = id == 0 ? 0 : node.countOf(id);
    const double kept = c == 0 ? 0.0 : std::max(c - discount(discounts_[k], c), 0.0);
    p = (kept + node.backoff * p) / node.total;
  }
  return p;
}

void BackoffModel::finishNode(int level, Node& node) const {
  node.total = 0;
  node.backoff = 0.0;
  for (const auto& [id, count] : node.entries) {
    node.total += count;
    node.backoff += discount(discounts_[level], count);
  }
}

double BackoffModel::probability(const Features& context, Token target) const {
  auto it = ids_.find(target);
  return probabilityFrom(contextNodes(context), it == ids_.end() ? 0 : it->second, target);
}

// One draw from the interpolated distribution, walking down from the longest
// context: stay at an order with the share it kept, else hand on to the next
// shorter one, down to the uniform floor. The temperature sharpens the choice
// within the order where the draw stays. Nothing when the floor's share for
// unseen tokens was drawn.
std::optional<Token> BackoffModel::drawOnce(const std::vector<const Node*>& nodes, double exponent, Rng& rng) const {
  for (std::size_t k = nodes.size(); k-- > 0;) {
    const Node& node = *nodes[k];
    if (uniform01(rng) * node.total >= node.total - node.backoff) continue;
    thread_local std::vector<double> weights;
    weights.clear();
    double sum = 0.0;
    for (const auto& [id, count] : node.entries) {
      const double kept = std::max(count - discount(discounts_[k], count), 0.0);
      weights.push_back(exponent == 1.0 ? kept : std::pow(kept, exponent));
      sum += weights.back();
    }
    double r = uniform01(rng) * sum;
    for (std::size_t i = 0; i < weights.size(); ++i) {
      if (r < weights[i]) return tokens_[node.entries[i].first - 1];
      r -= weights[i];
    }
    return tokens_[node.entries.back().first - 1];
  }
  if (!laneShares_.empty()) {
    Token token = 0;
    for (std::size_t bit = 0; bit < laneShares_.size(); ++bit)
      if (uniform01(rng) < laneShares_[bit]) token |= 1u << bit;
    return token;
  }
  const auto id = std::uniform_int_distribution<std::size_t>(0, tokens_.size())(rng);
  if (id == 0) return std::nullopt;
  return tokens_[id - 1];
}

Token BackoffModel::sample(const Features& context, double temperature, Rng& rng, const TokenBias& bias) const {
  const auto nodes = contextNodes(context);
  if (nodes.empty() || tokens_.empty()) return 0;
  const double exponent = 1.0 / std::max(temperature, 0.05);
  // The bias weighs each token by rejection; when nothing is accepted in
  // time, the most welcome token drawn is taken.
  Token best = 0;
  double bestWeight = -1.0;
  for (int attempt = 0; attempt < kDrawAttempts; ++attempt) {
    const auto drawn = drawOnce(nodes, exponent, rng);
    if (!drawn) continue;
    const Token token = *drawn;
    const double weight = bias ? bias(token) : 1.0;
    if (weight >= 1.0 || uniform01(rng) < weight) return token;
    if (weight > bestWeight) {
      bestWeight = weight;
      best = token;
    }
  }
  return best;
}

void BackoffModel::write(ByteWriter& out) const {
  out.u32(static_cast<std::uint32_t>(order_));
  out.u32(static_cast<std::uint32_t>(tokens_.size()));
  for (Token t : tokens_) out.u32(t);
  for (const auto& d : discounts_)
    for (double v : d) out.f64(v);
  out.u32(static_cast<std::uint32_t>(laneShares_.size()));
  for (double share : laneShares_) out.f64(share);
  for (const Level& level : levels_) {
    std::vector<std::uint64_t> keys;
    for (const auto& entry : level) keys.push_back(entry.first);
    std::sort(keys.begin(), keys.end());  // the same model always writes the same bytes
    out.u32(static_cast<std::uint32_t>(keys.size()));
    for (std::uint64_t key : keys) {
      const Node& node = level.at(key);
      out.u64(key);
      out.u32(static_cast<std::uint32_t>(node.entries.size()));
      for (const auto& [id, count] : node.entries) {
        out.u32(id);
        out.u32(count);
      }
    }
  }
}

bool BackoffModel::read(ByteReader& in) {
  const std::uint32_t order = in.u32();
  const std::uint32_t vocabulary = in.u32();
  if (in.failed() || order > kMaxOrder || vocabulary > kMaxVocabulary || !in.canHold(vocabulary, 4))
    return false;
  order_ = static_cast<int>(order);
  tokens_.resize(vocabulary);
  ids_.clear();
  for (std::uint32_t i = 0; i < vocabulary; ++i) {
    tokens_[i] = in.u32();
    ids_[tokens_[i]] = i + 1;
  }
  discounts_.resize(order_ + 1);
  for (auto& d : discounts_) {
    for (int c = 0; c < 3; ++c) {
      d[c] = in.f64();
      if (!(d[c] >= 0.0 && d[c] < c + 1.0)) return false;
    }
  }
  // Counts come from the file: check them before they size anything.
  const std::uint32_t lanes = in.u32();
  if (lanes > 32) return false;
  laneShares_.resize(lanes);
  for (double& share : laneShares_) {
    share = in.f64();
    if (!(share > 0.0 && share < 1.0)) return false;
  }
  levels_.assign(order_ + 1, {});
  for (int k = 0; k <= order_; ++k) {
    Level& level = levels_[k];
    const std::uint32_t nodes = in.u32();
    if (!in.canHold(nodes, 12)) return false;
    level.reserve(nodes);
    for (std::uint32_t n = 0; n < nodes; ++n) {
      const std::uint64_t key = in.u64();
      const std::uint32_t entries = in.u32();
      if (entries == 0 || !in.canHold(entries, 8)) return false;
      Node node;
      node.entries.resize(entries);
      std::uint32_t previous = 0;
      for (auto& [id, count] : node.entries) {
        id = in.u32();
        count = in.u32();
        if (id <= previous || id > vocabulary || count == 0) return false;
        previous = id;
      }
      finishNode(k, node);
      level.emplace(key, std::move(node));
    }
  }
  return !in.failed() && !levels_.front().empty();
}

BackoffModel::Builder::Builder(int order, int laneBits) : order_(order), laneBits_(laneBits), laneCounts_(laneBits) {}

void BackoffModel::Builder::add(const Features& context, Token target) {
  auto [it, inserted] = ids_.emplace(target, static_cast<std::uint32_t>(tokens_.size() + 1));
  if (inserted) tokens_.push_back(target);
  ++targets_;
  for (int bit = 0; bit < laneBits_; ++bit) laneCounts_[bit] += target >> bit & 1u;
  for (int k = 0; k <= order_; ++k) ++counts_[k][contextKey(context, k)][it->second];
}

BackoffModel BackoffModel::Builder::build() const {
  const auto& counts = counts_;

  BackoffModel model;
  model.order_ = order_;
  model.tokens_ = tokens_;
  model.ids_ = ids_;
  model.levels_.resize(order_ + 1);
  for (int bit = 0; bit < laneBits_; ++bit)
    model.laneShares_.push_back((laneCounts_[bit] + 0.5) / (static_cast<double>(targets_) + 1.0));
  for (int k = 0; k <= order_; ++k) {
    double n[5] = {};  // how many (context, token) counts are 1, 2, 3, 4
    for (const auto& [key, targets] : counts[k])
      for (const auto& entry : targets)
        if (entry.second <= 4) ++n[entry.second];
    // The usual estimates of the best discounts from the count-of-counts.
    const double y = n[1] + 2 * n[2] > 0 ? n[1] / (n[1] + 2 * n[2]) : 0.5;
    auto estimate = [&](int c, double fallback) {
      const double d = n[c] > 0 ? c - (c + 1) * y * n[c + 1] / n[c] : fallback;
      return std::clamp(d, 0.05, c - 0.05);
    };
    model.discounts_.push_back({estimate(1, 0.5), estimate(2, 1.0), estimate(3, 1.5)});
    for (const auto& [key, targets] : counts[k]) {
      Node node;
      for (const auto& [id, count] : targets) node.entries.emplace_back(id, count);
      std::sort(node.entries.begin(), node.entries.end());
      model.finishNode(k, node);
      model.levels_[k].emplace(key, std::move(node));
    }
  }
  return model;
}

}  // namespace quorvel::server
