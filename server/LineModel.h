// The model of one request type: what it conditions on, how it learns from
// schedule sentences, how it scores a held-out line and how it writes one.
#pragma once

#include <string>
#include <vector>

#include "server/BackoffModel.h"
#include "server/Token.h"

namespace quorvel::server {

// Continuation: a melody (type 0) or drum steps (type 4) after a context.
// PairedMelody: a lower voice under a given top line (types 1..3).
// PairedSteps: drum steps under the voices' step tokens (type 5).
enum class Shape { Continuation, PairedMelody, PairedSteps };
Shape shapeOf(int type);
int defaultOrder(int type);

struct SentencePair {
  TokenLine source;  // empty for continuations
  TokenLine target;
};

// Voices already standing above the line being written; the line avoids
// crossing them and moving with them in parallel fifths or octaves.
using UpperVoices = std::vector<StepLine>;

class LineModel {
 public:
  // The shape is the type's own, except for baselines that ignore the source.
  static LineModel train(int type, Shape shape, int order, const std::vector<SentencePair>& pairs);

  // Sum of natural-log probabilities of the target tokens, and their count.
  struct Score {
    double logProbability = 0.0;
    std::size_t tokens = 0;
  };
  // Drum lines are scored with what they played before (LineCache) unless
  // told to ignore it, which measures the learned model alone.
  enum class OwnPast { Learn, Ignore };
  Score score(const SentencePair& pair, OwnPast ownPast = OwnPast::Learn) const;

  // A new target line for the request's tokens (the context of a
  // continuation, the source of a paired type).
  TokenLine generate(const TokenLine& request, Rng& rng, const UpperVoices& upper = {}) const;

  int type() const { return type_; }
  // Drum lines also learn from their own past as they go (LineCache).
  bool drums() const { return type_ >= 4; }
  Shape shape() const { return shape_; }
  const BackoffModel& model() const { return model_; }
  void write(ByteWriter& out) const;
  bool read(ByteReader& in);

 private:
  TokenLine continue_(const TokenLine& context, Rng& rng) const;
  TokenLine underMelody(const TokenLine& source, Rng& rng, const UpperVoices& upper) const;
  TokenLine underSteps(const TokenLine& source, Rng& rng) const;

  int type_ = 0;
  Shape shape_ = Shape::Continuation;
  BackoffModel model_;
};

}  // namespace quorvel::server
