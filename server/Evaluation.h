// The quality figures of a set of models on held-out schedules, each beside
// the same figure of the real music, computed by the same code.
#pragma once

#include <ostream>
#include <string>

#include "server/ModelStore.h"

namespace quorvel::server {

struct EvaluationInputs {
  // Folder of schedules named <split>-type<T>.txt for types 0 and 4 and
  // <split>-type<T>-source.txt / -target.txt for the paired types; split is
  // "train" or "valid".
  std::string schedules;
  // Four-part chorale corpus (JSON: split -> chorales -> steps of [S, A, T, B]).
  std::string chorales;
  std::string name = "chorales";      // models of this name are measured
  std::string drumsName = "drums";    // drum models (types 4, 5)
  std::size_t limit = 400;            // at most this many held-out lines per figure
};

// Writes the figures; returns false when no figure could be computed.
// Held-out negative log-likelihood of the pairs' target lines, in bits per token.
double bitsPerToken(const LineModel& model, const std::vector<SentencePair>& pairs,
                    LineModel::OwnPast ownPast = LineModel::OwnPast::Learn);

bool evaluate(const ModelStore& store, const EvaluationInputs& inputs, std::ostream& out);

// Where the schedule of one split, type and role ("", "source", "target") lies.
std::string scheduleName(const std::string& split, int type, const std::string& role);

}  // namespace quorvel::server
