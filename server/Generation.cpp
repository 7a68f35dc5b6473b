#include "server/Generation.h"

#include <algorithm>

namespace quorvel::server {
namespace {

std::uint64_t mixSeed(std::uint64_t a, std::uint64_t b) {
  std::uint64_t x = a ^ (b + 0x9E3779B97F4A7C15ull + (a << 6) + (a >> 2));
  x = (x ^ (x >> 30)) * 0xBF58476D1CE4E5B9ull;
  x = (x ^ (x >> 27)) * 0x94D049BB133111EBull;
  return x ^ (x >> 31);
}

std::uint64_t hashTokens(const TokenLine& tokens) {
  std::uint64_t h = 0x51ED270B27E0A5C3ull;
  for (Token t : tokens) h = mixSeed(h, t);
  return h;
}

// The counter line of type T is written under the lines of types 1..T-1 that
// a model of the same name would write for the same top line, so that the
// separate requests of "1to3G" (which all send the top line alone) build
// voices that fit together. Candidate 0 therefore depends only on the top
// line (and the server's --seed): every request for it draws the same voices.
TokenLine counterLine(const ModelStore& store, const NamedModel& model, const GenRequest& request, Rng& rng) {
  UpperVoices upper;
  for (int type = 1; type < request.type; ++type) {
    const NamedModel* above = store.findByName(type, model.name);
    if (!above) continue;
    upper.push_back(melodyToSteps(above->line.generate(request.tokens, rng, upper)));
  }
  return model.line.generate(request.tokens, rng, upper);
}

TokenLine candidate(const ModelStore& store, const NamedModel& model, const GenRequest& request, std::uint64_t seed) {
  Rng rng(seed);
  if (model.line.shape() == Shape::PairedMelody) return counterLine(store, model, request, rng);
  return model.line.generate(request.tokens, rng);
}

}  // namespace

void appendCandidate(std::string& out, const TokenLine& line) {
  for (Token t : line) {
    appendHex(out, t);
    out += ' ';
  }
  out += ".\n";
}

std::string answerGen(const ModelStore& store, const NamedModel& model, const GenRequest& request, const Seeds& seeds) {
  std::string reply;
  if (request.type == 0 || request.type == 4) reply = request.dataText;
  const bool counter = model.line.shape() == Shape::PairedMelody;
  std::vector<TokenLine> lines;
  for (int k = 0; k < kCandidates; ++k) {
    // Redraw a candidate that repeats an earlier one, a few times at most.
    TokenLine line;
    for (int attempt = 0; attempt < 8; ++attempt) {
      const std::uint64_t seed = k == 0 && counter ? mixSeed(hashTokens(request.tokens), seeds.fixed)
                                                   : mixSeed(seeds.request, k + kCandidates * attempt);
      line = candidate(store, model, request, seed);
      if (std::find(lines.begin(), lines.end(), line) == lines.end()) break;
    }
    lines.push_back(line);
    appendCandidate(reply, line);
  }
  return reply;
}

}  // namespace quorvel::server
