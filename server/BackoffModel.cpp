#include "server/BackoffModel.h"

#include <algorithm>
#include <cmath>

#include "server/Mixing.h"

namespace quorvel::server {
namespace {

std::uint64_t contextKey(const Features& context, int level) {
  std::uint64_t h = mix(static_cast<std::uint64_t>(level));
  for (int i = 0; i < level; ++i) h = mix(h ^ static_cast<std::uint64_t>(context[i]));
  return h;
}

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

double BackoffModel::laneFloor(Token token) const {
  const std::size_t lanes = lanePlayed_.size();
  if ((token >> 2 * lanes) != 0) return 0.0;
  double p = 1.0;
  for (std::size_t lane = 0; lane < lanes; ++lane) {
    const bool plain = token >> lane & 1u, accented = token >> (lane + lanes) & 1u;
    const double single = lanePlayed_[lane] * (1.0 - doubleShare_);
    if (plain && accented) p *= lanePlayed_[lane] * doubleShare_;
    else if (accented) p *= single * accentShare_;
    else if (plain) p *= single * (1.0 - accentShare_);
    else p *= 1.0 - lanePlayed_[lane];
  }
  return p;
}

Token BackoffModel::drawLanes(Rng& rng) const {
  const std::size_t lanes = lanePlayed_.size();
  Token token = 0;
  for (std::size_t lane = 0; lane < lanes; ++lane) {
    if (uniform01(rng) >= lanePlayed_[lane]) continue;
    const double r = uniform01(rng);
    if (r < doubleShare_) token |= (1u << lane) | (1u << (lane + lanes));
    else token |= 1u << (uniform01(rng) < accentShare_ ? lane + lanes : lane);
  }
  return token;
}

double BackoffModel::floorProbability(Token token) const {
  if (lanePlayed_.empty()) return 1.0 / static_cast<double>(tokens_.size() + 1);
  return laneFloor(token);
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
  node.drawWeights.clear();
  double sum = 0.0;
  for (const auto& [id, count] : node.entries) {
    node.total += count;
    node.backoff += discount(discounts_[level], count);
    sum += std::pow(std::max(count - discount(discounts_[level], count), 0.0), 1.0 / kTemperature);
    node.drawWeights.push_back(sum);
  }
  // Drum steps are sharpened in the choice to stay as well: an odd step on
  // the wrong place would be repeated in every bar by the line's cache.
  // Melodies keep the plain share, which holds them to their key better.
  const double share = (node.total - node.backoff) / node.total;
  node.stay = lanePlayed_.empty() ? share : temperedStay(share);
}

double BackoffModel::probability(const Features& context, Token target) const {
  auto it = ids_.find(target);
  return probabilityFrom(contextNodes(context), it == ids_.end() ? 0 : it->second, target);
}

double BackoffModel::temperedStay(double share) {
  const double stay = std::pow(share, 1.0 / kTemperature), handOn = std::pow(1.0 - share, 1.0 / kTemperature);
  return stay / (stay + handOn);
}

// One draw from the interpolated distribution, walking down from the longest
// context: stay at an order with the share it kept, else hand on to the next
// shorter one, down to the uniform floor. The temperature sharpens the choice
// within the order where the draw stays and, for drum steps, the choice to
// stay (see finishNode). Nothing when the floor's share for
// unseen tokens was drawn.
std::optional<Token> BackoffModel::drawOnce(const std::vector<const Node*>& nodes, Rng& rng) const {
  for (std::size_t k = nodes.size(); k-- > 0;) {
    const Node& node = *nodes[k];
    if (uniform01(rng) >= node.stay) continue;
    const double r = uniform01(rng) * node.drawWeights.back();
    const auto at = std::upper_bound(node.drawWeights.begin(), node.drawWeights.end(), r) - node.drawWeights.begin();
    return tokens_[node.entries[std::min<std::size_t>(at, node.entries.size() - 1)].first - 1];
  }
  if (!lanePlayed_.empty()) return drawLanes(rng);
  const auto id = std::uniform_int_distribution<std::size_t>(0, tokens_.size())(rng);
  if (id == 0) return std::nullopt;
  return tokens_[id - 1];
}

Token BackoffModel::sample(const Features& context, Rng& rng, const TokenBias& bias) const {
  const auto nodes = contextNodes(context);
  if (nodes.empty() || tokens_.empty()) return 0;
  // The bias weighs each token by rejection; when nothing is accepted in
  // time, the most welcome token drawn is taken.
  Token best = 0;
  double bestWeight = -1.0;
  for (int attempt = 0; attempt < kDrawAttempts; ++attempt) {
    const auto drawn = drawOnce(nodes, rng);
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
  out.u32(static_cast<std::uint32_t>(lanePlayed_.size()));
  for (double share : lanePlayed_) out.f64(share);
  if (!lanePlayed_.empty()) {
    out.f64(accentShare_);
    out.f64(doubleShare_);
  }
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
  if (lanes > 16) return false;
  lanePlayed_.resize(lanes);
  for (double& share : lanePlayed_) {
    share = in.f64();
    if (!(share > 0.0 && share < 1.0)) return false;
  }
  if (lanes > 0) {
    accentShare_ = in.f64();
    doubleShare_ = in.f64();
    if (!(accentShare_ > 0.0 && accentShare_ < 1.0 && doubleShare_ > 0.0 && doubleShare_ < 1.0)) return false;
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

BackoffModel::Builder::Builder(int order, int lanes) : order_(order), lanes_(lanes), played_(lanes) {}

void BackoffModel::Builder::add(const Features& context, Token target) {
  auto [it, inserted] = ids_.emplace(target, static_cast<std::uint32_t>(tokens_.size() + 1));
  if (inserted) tokens_.push_back(target);
  ++targets_;
  for (int lane = 0; lane < lanes_; ++lane) {
    const bool plain = target >> lane & 1u, accented = target >> (lane + lanes_) & 1u;
    played_[lane] += plain || accented;
    hits_ += plain || accented;
    accented_ += accented && !plain;
    doubled_ += plain && accented;
  }
  for (int k = 0; k <= order_; ++k) {
    const std::uint64_t key = contextKey(context, k);
    if (lanes_ > 0 && !seenInLine_.insert(mix(key ^ mix(it->second))).second) continue;
    ++counts_[k][key][it->second];
  }
}

void BackoffModel::Builder::endLine() { seenInLine_.clear(); }

BackoffModel BackoffModel::Builder::build() const {
  const auto& counts = counts_;

  BackoffModel model;
  model.order_ = order_;
  model.tokens_ = tokens_;
  model.ids_ = ids_;
  model.levels_.resize(order_ + 1);
  if (lanes_ > 0) {
    for (int lane = 0; lane < lanes_; ++lane)
      model.lanePlayed_.push_back((played_[lane] + 0.5) / (static_cast<double>(targets_) + 1.0));
    model.accentShare_ = (accented_ + 0.5) / (static_cast<double>(hits_ - doubled_) + 1.0);
    model.doubleShare_ = (doubled_ + 0.5) / (static_cast<double>(hits_) + 1.0);
  }
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
