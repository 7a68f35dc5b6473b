#include "generator/CounterCompleteSearch.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <limits>

namespace quorvel {

namespace {

using Cost = std::int64_t;
// One broken hard rule outweighs every preference of a whole song.
constexpr Cost kRelaxCost = 1'000'000;
// Rules no result may break: their cost outweighs any number of relaxations.
constexpr Cost kForbidden = kRelaxCost * 1'000'000;
constexpr Cost kUnreached = std::numeric_limits<Cost>::max() / 4;

// How far under and above the melody a lower voice is looked for.
constexpr int kReachBelow = 40, kReachAbove = 12;

int intervalClass(int semitones) { return ((semitones % 12) + 12) % 12; }
bool isSecondOrSeventh(int i) { return i == 1 || i == 2 || i == 10 || i == 11; }
bool isPerfect(int i) { return i == 0 || i == 7; }
int sign(int v) { return (v > 0) - (v < 0); }
bool similarMotion(int a, int b) { return sign(a) != 0 && sign(a) == sign(b); }

// The voice being searched and the lines it sounds against.
struct Voice {
  int line = 1;
  bool outer = true;
  int voiceCount = 2;
  int least = 3, under = 22;  // outer: distance band under the melody, [least, under)
  int gapAbove = 3;           // inner: least distance under the melody
  int below = -1;             // inner: the line right under it
  int bass = -1;              // inner: the bass
  int tenor = -1;             // the alto: the tenor
  int lowest = kLowestPlayablePitch;  // in the frame
  PitchRange usual;
  PitchFrame frame;
};

Voice voiceFor(const CounterStretch& s, int line) {
  Voice v;
  v.line = line;
  v.voiceCount = s.voiceCount;
  v.frame = s.frame;
  v.lowest = s.frame.toFrame(kLowestPlayablePitch);
  v.usual = usualRange(s.voiceCount, line);
  const int bassLine = s.voiceCount - 1;
  v.outer = line == bassLine;
  if (v.outer) {
    v.least = s.voiceCount == 2 ? 3 : (s.voiceCount == 3 ? 7 : 12);
    v.under = s.voiceCount == 2 ? 22 : 36;
    return v;
  }
  v.bass = bassLine;
  const bool tenor = s.voiceCount == 4 && line == 2;
  const bool alto = s.voiceCount == 4 && line == 1;
  v.gapAbove = tenor ? 7 : 3;
  v.tenor = alto ? 2 : -1;
  v.below = alto ? 2 : bassLine;
  return v;
}

// Bass first, then upwards: the order of the random search.
std::vector<int> searchOrder(int voiceCount) {
  std::vector<int> order;
  for (int line = voiceCount - 1; line >= 1; --line) order.push_back(line);
  return order;
}

int at(const VoiceLines& lines, int line, int beat) {
  if (line < 0 || beat < 0) return -1;
  const VoiceLine& l = lines[static_cast<std::size_t>(line)];
  if (beat >= static_cast<int>(l.size())) return -1;
  const int p = l[static_cast<std::size_t>(beat)];
  return p > 0 ? p : -1;
}

// Adds up the cost of a choice and, when asked, names the rules it breaks.
class Tally {
 public:
  explicit Tally(std::vector<RelaxedRule>* broken) : broken_(broken) {}
  void prefer(Cost c) { cost_ += c; }
  void forbid() { cost_ += kForbidden; }
  void relax(RelaxedRule rule) {
    cost_ += kRelaxCost;
    if (broken_) broken_->push_back(rule);
  }
  Cost cost() const { return cost_; }

 private:
  Cost cost_ = 0;
  std::vector<RelaxedRule>* broken_;
};

// Whether a pitch may stand at a beat at all: against the melody no unison,
// second or seventh, against the bass no second or seventh, and no key under
// the lowest playable one.
bool admissible(const Voice& v, const VoiceLines& lines, int beat, int p) {
  if (p < v.lowest || p > 127) return false;
  const int top = at(lines, 0, beat);
  if (top > 0 && (p == top || isSecondOrSeventh(intervalClass(top - p)))) return false;
  const int bass = at(lines, v.bass, beat);
  return bass <= 0 || !isSecondOrSeventh(intervalClass(p - bass));
}

void outerPlace(const Voice& v, int top, int p, Tally& t) {
  const int d = top - p;
  const int i = intervalClass(d);
  if (d < v.least || d >= v.under) t.relax(RelaxedRule::kDistanceToMelody);
  if (i == 5) t.relax(RelaxedRule::kFourthAgainstMelody);
  if (i == 6) t.prefer(30);
  // Room for the inner voices, and not too wide a gap over them.
  if (v.voiceCount >= 3 && d < 15) t.prefer(2 * (15 - d));
  if (v.voiceCount == 4 && d > 28) t.prefer(d - 28);
}

void innerPlace(const Voice& v, const VoiceLines& lines, int beat, int top, int p, Tally& t) {
  if (top > 0) {
    const int d = top - p;
    if (d < v.gapAbove) t.relax(RelaxedRule::kDistanceToMelody);
    if (intervalClass(d) == 6) t.prefer(10);
    // The tenor leaves the alto room under the melody.
    if (v.tenor < 0 && v.voiceCount == 4 && d < 10) t.prefer(2 * (10 - d));
  }
  const int under = at(lines, v.below, beat);
  if (under > 0 && p - under < 3) t.relax(RelaxedRule::kSpacingBelow);
  const int bass = at(lines, v.bass, beat);
  if (bass > 0) {
    const int j = std::abs(p - bass) % 12;
    if (j == 5) t.relax(RelaxedRule::kFourthAboveBass);
    if (p == bass) t.prefer(40);
    if (j == 0 && top > 0 && intervalClass(top - bass) == 0) t.prefer(20);
  }
  const int tenor = at(lines, v.tenor, beat);
  if (tenor > 0 && (p == tenor || isSecondOrSeventh(std::abs(p - tenor) % 12)))
    t.relax(RelaxedRule::kLowerVoiceClash);
}

Cost placeCost(const Voice& v, const VoiceLines& lines, int beat, int p, std::vector<RelaxedRule>* broken) {
  Tally t(broken);
  const int top = at(lines, 0, beat);
  if (v.outer && top > 0) outerPlace(v, top, p, t);
  if (!v.outer) innerPlace(v, lines, beat, top, p, t);
  if (top > 0 && isPerfect(intervalClass(top - p))) t.prefer(3);
  t.prefer(2 * v.usual.distanceOutside(v.frame.toReal(p)));
  return t.cost();
}

Cost motionCost(int move) {
  const int m = std::abs(move);
  if (m == 0) return 6;
  if (m <= 2) return 0;
  if (m <= 4) return 2;
  if (m == 5) return 4;
  if (m <= 8) return 2 * m - 8;
  if (m <= 12) return 14;
  return 30 + m;
}

// Perfect intervals with the melody: never in parallel, and approached in
// similar motion only at a price.
void againstMelody(const Voice& v, const VoiceLines& lines, int beat, int q, int p, Tally& t) {
  const int top0 = at(lines, 0, beat - 1), top1 = at(lines, 0, beat);
  if (top0 <= 0 || top1 <= 0) return;
  const int i0 = intervalClass(top0 - q), i1 = intervalClass(top1 - p);
  const int move = p - q, topMove = top1 - top0;
  if (!isPerfect(i1)) return;
  if (isPerfect(i0) && similarMotion(move, topMove)) {
    t.forbid();
    return;
  }
  if (similarMotion(move, topMove) && (v.outer || (std::abs(move) >= 3 && std::abs(topMove) >= 3)))
    t.prefer(v.outer ? 25 : 10);
  if (v.outer && i0 == i1) t.prefer(40);
}

void againstLowerPartner(int partnerLine, const VoiceLines& lines, int beat, int q, int p, Tally& t) {
  const int a0 = at(lines, partnerLine, beat - 1), a1 = at(lines, partnerLine, beat);
  if (a0 <= 0 || a1 <= 0) return;
  const int j0 = std::abs(q - a0) % 12, j1 = std::abs(p - a1) % 12;
  if (isPerfect(j0) && isPerfect(j1) && similarMotion(p - q, a1 - a0)) t.relax(RelaxedRule::kLowerParallels);
}

Cost moveCost(const Voice& v, const VoiceLines& lines, int beat, int q, int p, std::vector<RelaxedRule>* broken) {
  Tally t(broken);
  if (std::abs(p - q) == 6) t.forbid();
  t.prefer(motionCost(p - q));
  againstMelody(v, lines, beat, q, p, t);
  if (!v.outer) {
    againstLowerPartner(v.bass, lines, beat, q, p, t);
    againstLowerPartner(v.tenor, lines, beat, q, p, t);
  }
  return t.cost();
}

// The pitches a voice may take at a beat: those inside its place under the
// melody (and over the voice under it), or, where none is left there, every
// admissible pitch around the melody.
std::vector<int> candidatesAt(const Voice& v, const VoiceLines& lines, int beat, bool wide) {
  int top = at(lines, 0, beat);
  if (top <= 0) top = v.lowest + kReachBelow;
  int low = top - kReachBelow, high = top + kReachAbove;
  if (!wide) {
    const int under = at(lines, v.below, beat);
    low = v.outer ? top - v.under + 1 : (under > 0 ? under + 3 : low);
    high = top - (v.outer ? v.least : v.gapAbove);
  }
  low = std::max(low, v.lowest);
  high = std::max(high, v.lowest + (wide ? kReachAbove : 0));
  std::vector<int> out;
  for (int p = low; p <= high; ++p)
    if (admissible(v, lines, beat, p)) out.push_back(p);
  if (out.empty() && !wide) return candidatesAt(v, lines, beat, true);
  // Every twelve keys in a row hold the melody's pitch class, which the
  // bass's own place admits; kept for a line that stands nowhere else.
  if (out.empty()) out.push_back(std::max(v.lowest, top - 12));
  return out;
}

struct Column {
  std::vector<int> pitches;
  std::vector<Cost> cost;
  std::vector<int> from;  // index into the previous column, -1 at the first
};

// The cheapest line of one voice over the stretch, given the lines fixed so
// far; written into its line. Answers its cost.
Cost searchVoice(const Voice& v, VoiceLines& lines, int from, int to, bool wide) {
  const int before = at(lines, v.line, from - 1);
  std::vector<Column> columns(static_cast<std::size_t>(to - from));
  for (int b = from; b < to; ++b) {
    Column& col = columns[static_cast<std::size_t>(b - from)];
    col.pitches = candidatesAt(v, lines, b, wide);
    col.cost.assign(col.pitches.size(), kUnreached);
    col.from.assign(col.pitches.size(), -1);
    const Column* prev = b > from ? &columns[static_cast<std::size_t>(b - from - 1)] : nullptr;
    for (std::size_t k = 0; k < col.pitches.size(); ++k) {
      const int p = col.pitches[k];
      const Cost place = placeCost(v, lines, b, p, nullptr);
      if (!prev) {
        col.cost[k] = place + (before > 0 ? moveCost(v, lines, b, before, p, nullptr) : 0);
        continue;
      }
      for (std::size_t j = 0; j < prev->pitches.size(); ++j) {
        if (prev->cost[j] + place >= col.cost[k]) continue;
        const Cost c = prev->cost[j] + place + moveCost(v, lines, b, prev->pitches[j], p, nullptr);
        if (c < col.cost[k]) {
          col.cost[k] = c;
          col.from[k] = static_cast<int>(j);
        }
      }
    }
  }
  const Column& last = columns.back();
  const auto cheapest = std::min_element(last.cost.begin(), last.cost.end());
  const Cost total = *cheapest;
  int k = static_cast<int>(cheapest - last.cost.begin());
  VoiceLine& line = lines[static_cast<std::size_t>(v.line)];
  for (int b = to - 1; b >= from; --b) {
    const Column& col = columns[static_cast<std::size_t>(b - from)];
    line[static_cast<std::size_t>(b)] = col.pitches[static_cast<std::size_t>(k)];
    k = col.from[static_cast<std::size_t>(k)];
  }
  return total;
}

// ---- the tenor and alto together -------------------------------------------

struct Pair {
  int tenor;
  int alto;
};

struct PairColumn {
  std::vector<Pair> pairs;
  std::vector<Cost> cost;
  std::vector<int> from;
};

// The alto's rules read the tenor from its line: the pair's tenor is put
// there before they are asked.
void putTenor(const Voice& tenor, VoiceLines& lines, int beat, int pitch) {
  lines[static_cast<std::size_t>(tenor.line)][static_cast<std::size_t>(beat)] = pitch;
}

std::vector<Pair> pairsAt(const Voice& tenor, const Voice& alto, VoiceLines& lines, int beat) {
  std::vector<Pair> out;
  for (int t : candidatesAt(tenor, lines, beat, false)) {
    putTenor(tenor, lines, beat, t);
    for (int a : candidatesAt(alto, lines, beat, false)) out.push_back({t, a});
  }
  return out;
}

Cost pairPlace(const Voice& tenor, const Voice& alto, VoiceLines& lines, int beat, Pair x) {
  putTenor(tenor, lines, beat, x.tenor);
  return placeCost(tenor, lines, beat, x.tenor, nullptr) + placeCost(alto, lines, beat, x.alto, nullptr);
}

Cost pairMove(const Voice& tenor, const Voice& alto, VoiceLines& lines, int beat, Pair from, Pair to) {
  putTenor(tenor, lines, beat - 1, from.tenor);
  putTenor(tenor, lines, beat, to.tenor);
  return moveCost(tenor, lines, beat, from.tenor, to.tenor, nullptr) +
         moveCost(alto, lines, beat, from.alto, to.alto, nullptr);
}

// The tenor searched alone can leave the alto no place: both voices as one,
// each beat a pair of pitches, inside their places. Writes both lines and
// answers their cost.
Cost searchInnerPair(const Voice& tenor, const Voice& alto, VoiceLines& lines, int from, int to) {
  const Pair before{at(lines, tenor.line, from - 1), at(lines, alto.line, from - 1)};
  const bool continues = before.tenor > 0 && before.alto > 0;
  std::vector<PairColumn> columns(static_cast<std::size_t>(to - from));
  for (int b = from; b < to; ++b) {
    PairColumn& col = columns[static_cast<std::size_t>(b - from)];
    col.pairs = pairsAt(tenor, alto, lines, b);
    col.cost.assign(col.pairs.size(), kUnreached);
    col.from.assign(col.pairs.size(), -1);
    const PairColumn* prev = b > from ? &columns[static_cast<std::size_t>(b - from - 1)] : nullptr;
    for (std::size_t k = 0; k < col.pairs.size(); ++k) {
      const Pair x = col.pairs[k];
      const Cost place = pairPlace(tenor, alto, lines, b, x);
      if (!prev) {
        col.cost[k] = place + (continues ? pairMove(tenor, alto, lines, b, before, x) : 0);
        continue;
      }
      for (std::size_t j = 0; j < prev->pairs.size(); ++j) {
        if (prev->cost[j] + place >= col.cost[k]) continue;
        const Cost c = prev->cost[j] + place + pairMove(tenor, alto, lines, b, prev->pairs[j], x);
        if (c < col.cost[k]) {
          col.cost[k] = c;
          col.from[k] = static_cast<int>(j);
        }
      }
    }
  }
  const PairColumn& last = columns.back();
  const auto cheapest = std::min_element(last.cost.begin(), last.cost.end());
  const Cost total = *cheapest;
  int k = static_cast<int>(cheapest - last.cost.begin());
  for (int b = to - 1; b >= from; --b) {
    const Pair x = columns[static_cast<std::size_t>(b - from)].pairs[static_cast<std::size_t>(k)];
    putTenor(tenor, lines, b, x.tenor);
    lines[static_cast<std::size_t>(alto.line)][static_cast<std::size_t>(b)] = x.alto;
    k = columns[static_cast<std::size_t>(b - from)].from[static_cast<std::size_t>(k)];
  }
  return total;
}

void collectRelaxations(const Voice& v, const VoiceLines& lines, int from, int to, std::vector<Relaxation>& out) {
  std::vector<RelaxedRule> broken;
  for (int b = from; b < to; ++b) {
    broken.clear();
    const int p = at(lines, v.line, b);
    placeCost(v, lines, b, p, &broken);
    const int q = at(lines, v.line, b - 1);
    if (q > 0) moveCost(v, lines, b, q, p, &broken);
    for (RelaxedRule rule : broken) out.push_back({b, v.line, rule});
  }
}

// Counted once every voice stands: an inner voice's rules look at the
// voices searched before it, the bass's at none written after it.
std::vector<Relaxation> relaxationsOf(const VoiceLines& lines, const CounterStretch& stretch, int to) {
  std::vector<Relaxation> relaxed;
  for (int line : searchOrder(stretch.voiceCount))
    collectRelaxations(voiceFor(stretch, line), lines, stretch.from, to, relaxed);
  return relaxed;
}

}  // namespace

std::vector<Relaxation> searchCounterStretch(VoiceLines& lines, const CounterStretch& stretch) {
  const int to = std::min(stretch.to, static_cast<int>(lines[0].size()));
  if (stretch.voiceCount < 2 || stretch.voiceCount > 4 || stretch.from < 0 || stretch.from >= to) return {};
  for (int line : searchOrder(stretch.voiceCount)) {
    const Voice v = voiceFor(stretch, line);
    // Most beats leave a voice room inside its place; where a way through
    // needs a rule broken, every pitch around the melody is weighed.
    if (searchVoice(v, lines, stretch.from, to, false) >= kRelaxCost) searchVoice(v, lines, stretch.from, to, true);
  }
  std::vector<Relaxation> relaxed = relaxationsOf(lines, stretch, to);
  const bool innerRelaxed =
      std::any_of(relaxed.begin(), relaxed.end(), [](const Relaxation& r) { return r.line == 1 || r.line == 2; });
  if (stretch.voiceCount == 4 && innerRelaxed) {
    const VoiceLines kept = lines;
    // Inside their places only: a pair that needs a rule no result may break
    // is no way out.
    const Cost cost = searchInnerPair(voiceFor(stretch, 2), voiceFor(stretch, 1), lines, stretch.from, to);
    std::vector<Relaxation> together = relaxationsOf(lines, stretch, to);
    if (cost < kForbidden && together.size() < relaxed.size())
      relaxed = std::move(together);
    else
      lines = kept;
  }
  return relaxed;
}

}  // namespace quorvel
