#include "server/LineModel.h"

#include <algorithm>
#include <cmath>

#include "server/LineCache.h"
#include "server/MusicMeasures.h"

namespace quorvel::server {
namespace {

constexpr Feature kBefore = -1;  // before the first token of a line
constexpr Feature kAfter = -2;   // past the end of the source

// How much a line may hold: a continuation covers eight 4/4 bars, a counter
// line the longest phrase a client sends (256 tokens, 256 steps), drums under
// voices the client's 128 steps.
constexpr int kContinuationSteps = 128;
constexpr int kMaxTokens = 256;
constexpr int kMaxPhraseSteps = 256;
constexpr int kMaxVoiceSteps = 256;
constexpr std::size_t kDrumContextSteps = 128;  // eight 4/4 bars: every loop a song repeats

constexpr double kCrossingWeight = 0.01;
constexpr double kParallelWeight = 0.001;
constexpr double kOverrunWeight = 0.02;
constexpr double kOffScaleWeight = 0.1;
constexpr std::size_t kNotesForKey = 4;
constexpr int kDrumLanes = 12;  // a bit each, and a bit each for accents above them

Feature previous(const TokenLine& history, std::size_t back) {
  return back <= history.size() ? static_cast<Feature>(history[history.size() - back]) : kBefore;
}

Features continuationContext(const TokenLine& history, int order) {
  Features f(order);
  for (int k = 0; k < order; ++k) f[k] = previous(history, k + 1);
  return f;
}

// The source's key now, the last target token, steps until the source
// changes, then older target tokens.
Features melodyContext(const StepLine& source, int t, const TokenLine& history, int order) {
  Features f;
  const bool inside = t < static_cast<int>(source.pitch.size());
  f.push_back(inside ? source.pitch[t] : kAfter);
  f.push_back(previous(history, 1));
  int same = 0;
  while (inside && t + same < static_cast<int>(source.pitch.size()) && same < 16 &&
         source.pitch[t + same] == source.pitch[t] && (same == 0 || !source.onset[t + same]))
    ++same;
  f.push_back(same);
  for (int k = 2; static_cast<int>(f.size()) < order; ++k) f.push_back(previous(history, k));
  f.resize(order);
  return f;
}

// The place in the bar (sections and requests start on a voice's note,
// mostly a downbeat), the voices' step token now, then the drum steps
// before. Held-out songs are scored best by the first two alone: the drums'
// own past tells more through the line's cache (LineCache) than through
// other songs.
Features stepContext(const TokenLine& source, std::size_t t, const TokenLine& history, int order) {
  Features f{static_cast<Feature>(t % 16), t < source.size() ? static_cast<Feature>(source[t]) : kAfter};
  for (int k = 1; static_cast<int>(f.size()) < order; ++k) f.push_back(previous(history, k));
  f.resize(order);
  return f;
}

bool parallelPerfect(int upperBefore, int lowerBefore, int upperNow, int lowerNow) {
  if (upperBefore < 0 || lowerBefore < 0 || upperNow < 0 || lowerNow < 0) return false;
  if (upperBefore == upperNow || lowerBefore == lowerNow) return false;  // one voice held: oblique motion
  const int before = (upperBefore - lowerBefore) % 12, now = (upperNow - lowerNow) % 12;
  return before == now && (now == 0 || now == 7);
}

}  // namespace

Shape shapeOf(int type) {
  if (type == 0 || type == 4) return Shape::Continuation;
  return type == 5 ? Shape::PairedSteps : Shape::PairedMelody;
}

int defaultOrder(int type) {
  switch (shapeOf(type)) {
    // Drums learn little from other songs beyond a few steps back (at eight
    // steps held-out songs scored worse than with one); their longer patterns
    // come from the line's own past (LineCache).
    case Shape::Continuation: return type == 4 ? 3 : 5;
    case Shape::PairedMelody: return 5;
    case Shape::PairedSteps: return 2;
  }
  return 1;
}

LineModel LineModel::train(int type, Shape shape, int order, const std::vector<SentencePair>& pairs) {
  BackoffModel::Builder builder(order, type >= 4 ? kDrumLanes : 0);
  for (const SentencePair& pair : pairs) {
    const StepLine sourceSteps = shape == Shape::PairedMelody ? melodyToSteps(pair.source) : StepLine{};
    TokenLine history;
    int t = 0;
    for (Token token : pair.target) {
      switch (shape) {
        case Shape::Continuation: builder.add(continuationContext(history, order), token); break;
        case Shape::PairedMelody: builder.add(melodyContext(sourceSteps, t, history, order), token); break;
        case Shape::PairedSteps: builder.add(stepContext(pair.source, history.size(), history, order), token); break;
      }
      t += melodySteps(token);
      history.push_back(token);
    }
    builder.endLine();
  }
  LineModel line;
  line.type_ = type;
  line.shape_ = shape;
  line.model_ = builder.build();
  return line;
}

LineModel::Score LineModel::score(const SentencePair& pair, OwnPast ownPast) const {
  const bool cached = drums() && ownPast == OwnPast::Learn;
  Score result;
  const int order = model_.order();
  const StepLine sourceSteps = shape_ == Shape::PairedMelody ? melodyToSteps(pair.source) : StepLine{};
  TokenLine history;
  LineCache cache(shape_ == Shape::PairedSteps ? &pair.source : nullptr);
  int t = 0;
  for (Token token : pair.target) {
    Features context;
    switch (shape_) {
      case Shape::Continuation: context = continuationContext(history, order); break;
      case Shape::PairedMelody: context = melodyContext(sourceSteps, t, history, order); break;
      case Shape::PairedSteps: context = stepContext(pair.source, history.size(), history, order); break;
    }
    double p = model_.probability(context, token);
    if (cached) p = cache.probability(history, token, p);
    result.logProbability += std::log(p);
    ++result.tokens;
    t += melodySteps(token);
    history.push_back(token);
    if (cached) cache.learnLast(history);
  }
  return result;
}

TokenLine LineModel::generate(const TokenLine& request, Rng& rng, const UpperVoices& upper) const {
  switch (shape_) {
    case Shape::Continuation: return continue_(request, rng);
    case Shape::PairedMelody: return underMelody(request, rng, upper);
    case Shape::PairedSteps: return underSteps(request, rng);
  }
  return {};
}

TokenLine LineModel::continue_(const TokenLine& context, Rng& rng) const {
  const bool drums = type_ == 4;
  // A melody keeps to the scale its context is in; a "0" would end the
  // candidate in the client, so a melody never holds one.
  const std::size_t contextNotes = std::count_if(context.begin(), context.end(), isNote);
  const std::vector<bool> scale = !drums && contextNotes >= kNotesForKey ? scaleOf(context) : std::vector<bool>{};
  const TokenBias fits = [&](Token t) {
    if (drums) return 1.0;
    if (t == 0) return 0.0;
    return !scale.empty() && isNote(t) && !scale[((noteKey(t) % 12) + 12) % 12] ? kOffScaleWeight : 1.0;
  };
  // Drums continue from the last bars of the context they were sent, which
  // the cache learns; a melody needs only the model's own context.
  const std::size_t kept = drums ? kDrumContextSteps : static_cast<std::size_t>(model_.order());
  TokenLine history(context.end() - std::min(context.size(), kept), context.end());
  LineCache cache;
  if (drums)
    for (std::size_t i = 0; i < history.size(); ++i) cache.learnAt(history, i);
  const std::size_t start = history.size();
  int steps = 0;
  while (steps < kContinuationSteps && static_cast<int>(history.size() - start) < kMaxTokens) {
    const auto repeated = drums ? cache.draw(history, rng) : std::nullopt;
    const Token token = repeated ? *repeated
                                 : model_.sample(continuationContext(history, model_.order()), rng, fits);
    if (!drums && token == 0) break;
    history.push_back(token);
    if (drums) cache.learnLast(history);
    steps += drums ? 1 : melodySteps(token);
  }
  return TokenLine(history.begin() + static_cast<std::ptrdiff_t>(start), history.end());
}

TokenLine LineModel::underMelody(const TokenLine& source, Rng& rng, const UpperVoices& upper) const {
  StepLine top = melodyToSteps(source);
  if (top.pitch.size() > kMaxPhraseSteps) {
    top.pitch.resize(kMaxPhraseSteps);
    top.onset.resize(kMaxPhraseSteps);
  }
  const int end = static_cast<int>(top.pitch.size());
  auto pitchAt = [](const StepLine& voice, int t) {
    return t >= 0 && t < static_cast<int>(voice.pitch.size()) ? voice.pitch[t] : -1;
  };
  std::vector<const StepLine*> above{&top};
  for (const StepLine& voice : upper) above.push_back(&voice);
  std::vector<int> mine;  // this line's key at every step written so far
  // The last step before t where any voice starts a note: the onset a new
  // note of this line follows, for the parallel test.
  auto previousOnset = [&](int t) {
    for (int s = t - 1; s >= 0; --s) {
      if (mine[s] >= 0 && (s == 0 || mine[s - 1] != mine[s])) return s;
      for (const StepLine* voice : above)
        if (pitchAt(*voice, s) >= 0 && pitchAt(*voice, s) != pitchAt(*voice, s - 1)) return s;
    }
    return -1;
  };
  TokenLine line;
  int t = 0;
  while (t < end && static_cast<int>(line.size()) < kMaxTokens) {
    const int before = previousOnset(t);
    const TokenBias fits = [&](Token token) {
      const int steps = melodySteps(token);
      if (token == 0 || steps == 0) return 0.0;
      double weight = t + steps > end ? kOverrunWeight : 1.0;
      if (!isNote(token)) return weight;
      const int key = noteKey(token);
      for (const StepLine* voice : above) {
        for (int s = t; s < std::min(t + steps, end); ++s) {
          if (pitchAt(*voice, s) >= 0 && key > pitchAt(*voice, s)) {
            weight *= kCrossingWeight;
            break;
          }
        }
        if (before >= 0 && parallelPerfect(pitchAt(*voice, before), mine[before], pitchAt(*voice, t), key))
          weight *= kParallelWeight;
      }
      return weight;
    };
    Token token = model_.sample(melodyContext(top, t, line, model_.order()), rng, fits);
    if (token == 0) break;
    const int steps = melodySteps(token);
    if (t + steps > end) token = isNote(token) ? makeNote(noteKey(token), end - t) : static_cast<Token>(end - t) << 18;
    line.push_back(token);
    // at least one step: a zero-length token from the tail draw must not stall
    mine.insert(mine.end(), std::max(melodySteps(token), 1), isNote(token) ? noteKey(token) : -1);
    t += std::max(melodySteps(token), 1);
  }
  return line;
}

TokenLine LineModel::underSteps(const TokenLine& source, Rng& rng) const {
  const std::size_t end = std::min<std::size_t>(source.size(), kMaxVoiceSteps);
  TokenLine line;
  LineCache cache(&source);
  while (line.size() < end) {
    const auto repeated = cache.draw(line, rng);
    line.push_back(repeated ? *repeated
                            : model_.sample(stepContext(source, line.size(), line, model_.order()), rng, {}));
    cache.learnLast(line);
  }
  return line;
}

void LineModel::write(ByteWriter& out) const {
  out.u32(static_cast<std::uint32_t>(type_));
  out.u32(static_cast<std::uint32_t>(shape_));
  model_.write(out);
}

bool LineModel::read(ByteReader& in) {
  type_ = static_cast<int>(in.u32());
  const std::uint32_t shape = in.u32();
  if (in.failed() || type_ < 0 || type_ > 5 || shape > static_cast<std::uint32_t>(Shape::PairedSteps)) return false;
  shape_ = static_cast<Shape>(shape);
  return model_.read(in);
}

}  // namespace quorvel::server
