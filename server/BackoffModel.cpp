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

double BackoffModel::probabilityFrom(const std::vector<const Node*>& nodes, std::uint32_t id) const {
  double p = 1.0 / static_cast<double>(tokens_.size() + 1);
  for (std::size_t k = 0; k < nodes.size(); ++k) {
    const Node& node = *nodes[k];
    const double d = discounts_[k];
    const double c = id == 0 ? 0.0 : node.countOf(id);
    p = (std::max(c - d, 0.0) + d * static_cast<double>(node.entries.size()) * p) / node.total;
  }
  return p;
}

double BackoffModel::probability(const Features& context, Token target) const {
  auto it = ids_.find(target);
  return probabilityFrom(contextNodes(context), it == ids_.end() ? 0 : it->second);
}

Token BackoffModel::sample(const Features& context, double temperature, Rng& rng, const TokenBias& bias) const {
  const auto nodes = contextNodes(context);
  if (nodes.empty() || tokens_.empty()) return 0;
  // Candidates are the tokens seen after the longer contexts; the rest of the
  // mass (tokens only the unigram knows) is drawn separately when chosen.
  std::vector<std::uint32_t> ids;
  for (std::size_t k = nodes.size() > 1 ? 1 : 0; k < nodes.size(); ++k)
    for (const auto& [id, count] : nodes[k]->entries) ids.push_back(id);
  std::sort(ids.begin(), ids.end());
  ids.erase(std::unique(ids.begin(), ids.end()), ids.end());

  const double exponent = 1.0 / std::max(temperature, 0.05);
  std::vector<double> weights(ids.size());
  double covered = 0.0, total = 0.0;
  for (std::size_t i = 0; i < ids.size(); ++i) {
    const double p = probabilityFrom(nodes, ids[i]);
    covered += p;
    weights[i] = std::pow(p, exponent) * (bias ? bias(tokens_[ids[i] - 1]) : 1.0);
    total += weights[i];
  }
  const double tail = ids.size() < tokens_.size() ? std::pow(std::max(1.0 - covered, 0.0), exponent) : 0.0;
  double r = uniform01(rng) * (total + tail);
  if (total + tail <= 0.0) return tokens_[ids.front() - 1];
  for (std::size_t i = 0; i < ids.size(); ++i) {
    if (r < weights[i]) return tokens_[ids[i] - 1];
    r -= weights[i];
  }
  if (tail > 0.0) {
    if (const Token t = sampleTail(nodes, ids, rng, bias)) return t;
  }
  return tokens_[ids[std::max_element(weights.begin(), weights.end()) - weights.begin()] - 1];
}

Token BackoffModel::sampleTail(const std::vector<const Node*>& nodes, const std::vector<std::uint32_t>& excluded,
                               Rng& rng, const TokenBias& bias) const {
  const Node& unigram = *nodes.front();
  for (int attempt = 0; attempt < 32; ++attempt) {
    double r = uniform01(rng) * unigram.total;
    std::uint32_t id = unigram.entries.back().first;
    for (const auto& [candidate, count] : unigram.entries) {
      if (r < count) {
        id = candidate;
        break;
      }
      r -= count;
    }
    if (std::binary_search(excluded.begin(), excluded.end(), id)) continue;
    const Token token = tokens_[id - 1];
    if (!bias || uniform01(rng) < bias(token)) return token;
  }
  return 0;
}

void BackoffModel::write(ByteWriter& out) const {
  out.u32(static_cast<std::uint32_t>(order_));
  out.u32(static_cast<std::uint32_t>(tokens_.size()));
  for (Token t : tokens_) out.u32(t);
  for (double d : discounts_) out.f64(d);
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
  order_ = static_cast<int>(in.u32());
  const std::uint32_t vocabulary = in.u32();
  if (in.failed() || order_ > static_cast<int>(kMaxOrder) || vocabulary > kMaxVocabulary || !in.canHold(vocabulary, 4))
    return false;
  tokens_.resize(vocabulary);
  ids_.clear();
  for (std::uint32_t i = 0; i < vocabulary; ++i) {
    tokens_[i] = in.u32();
    ids_[tokens_[i]] = i + 1;
  }
  discounts_.resize(order_ + 1);
  for (double& d : discounts_) {
    d = in.f64();
    if (!(d >= 0.0 && d < 1.0)) return false;
  }
  levels_.assign(order_ + 1, {});
  for (Level& level : levels_) {
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
        node.total += count;
      }
      level.emplace(key, std::move(node));
    }
  }
  return !in.failed() && !levels_.front().empty();
}

BackoffModel::Builder::Builder(int order) : order_(order), counts_(order + 1) {}

void BackoffModel::Builder::add(const Features& context, Token target) {
  auto [it, inserted] = ids_.emplace(target, static_cast<std::uint32_t>(tokens_.size() + 1));
  if (inserted) tokens_.push_back(target);
  for (int k = 0; k <= order_; ++k) ++counts_[k][contextKey(context, k)][it->second];
}

BackoffModel BackoffModel::Builder::build() const {
  BackoffModel model;
  model.order_ = order_;
  model.tokens_ = tokens_;
  model.ids_ = ids_;
  model.levels_.resize(order_ + 1);
  for (int k = 0; k <= order_; ++k) {
    double once = 0, twice = 0;
    for (const auto& [key, targets] : counts_[k]) {
      Node node;
      for (const auto& [id, count] : targets) {
        node.entries.emplace_back(id, count);
        node.total += count;
        once += count == 1;
        twice += count == 2;
      }
      std::sort(node.entries.begin(), node.entries.end());
      model.levels_[k].emplace(key, std::move(node));
    }
    // The usual estimate of the best absolute discount from the count-of-counts.
    const double d = once + twice > 0 ? once / (once + 2 * twice) : 0.5;
    model.discounts_.push_back(std::clamp(d, 0.1, 0.95));
  }
  return model;
}

}  // namespace quorvel::server
