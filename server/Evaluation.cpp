#include "server/Evaluation.h"

#include <nlohmann/json.hpp>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <iomanip>

#include "server/Generation.h"
#include "server/MusicMeasures.h"
#include "server/ScheduleFile.h"
#include "server/Training.h"

namespace quorvel::server {
namespace {

namespace fs = std::filesystem;

const char* const kVoiceNames[] = {"soprano", "alto", "tenor", "bass"};

std::vector<SentencePair> split(const EvaluationInputs& in, const std::string& which, int type) {
  std::vector<std::string> files;
  if (shapeOf(type) == Shape::Continuation) {
    files.push_back((fs::path(in.schedules) / scheduleName(which, type, "")).string());
  } else {
    files.push_back((fs::path(in.schedules) / scheduleName(which, type, "source")).string());
    files.push_back((fs::path(in.schedules) / scheduleName(which, type, "target")).string());
  }
  for (const std::string& f : files)
    if (!fs::exists(f)) return {};
  TrainingPairs pairs = readTrainingPairs(type, files);
  return pairs.error.empty() ? std::move(pairs.pairs) : std::vector<SentencePair>{};
}

GenRequest requestFor(int type, int genre, const TokenLine& tokens) {
  GenRequest request{type, genre, static_cast<int>(tokens.size()), "", tokens};
  for (Token t : tokens) {
    appendHex(request.dataText, t);
    request.dataText += '+';
  }
  return request;
}

// The candidates the server would send, read back from its reply text.
std::vector<TokenLine> serverCandidates(const ModelStore& store, const NamedModel& model, const TokenLine& tokens,
                                        std::uint64_t seed) {
  const GenRequest request = requestFor(model.line.type(), model.genre, tokens);
  const std::string reply = answerGen(store, model, request, {seed, 0});
  const std::size_t echo = model.line.type() == 0 || model.line.type() == 4 ? request.dataText.size() : 0;
  return parseSchedule(std::string_view(reply).substr(echo), "reply").sentences;
}

bool reportLikelihood(const ModelStore& store, const EvaluationInputs& in, std::ostream& out) {
  out << "Held-out negative log-likelihood, bits per token (model / unigram / bigram baselines):\n";
  bool any = false;
  for (int type = 0; type < kRequestTypes; ++type) {
    const std::string& name = type >= 4 ? in.drumsName : in.name;
    const NamedModel* model = store.findByName(type, name);
    const auto train = split(in, "train", type), valid = split(in, "valid", type);
    if (!model || train.empty() || valid.empty()) continue;
    std::size_t tokens = 0;
    for (const SentencePair& p : valid) tokens += p.target.size();
    const LineModel unigram = LineModel::train(type, Shape::Continuation, 0, train);
    const LineModel bigram = LineModel::train(type, Shape::Continuation, 1, train);
    out << "  type " << type << " " << std::setw(10) << name << ": " << std::fixed << std::setprecision(3)
        << bitsPerToken(model->line, valid) << " / " << bitsPerToken(unigram, valid) << " / "
        << bitsPerToken(bigram, valid) << "  (" << tokens << " tokens)\n";
    if (model->line.drums()) {
      constexpr auto alone = LineModel::OwnPast::Ignore;
      out << "  " << std::setw(18) << "learned part alone" << ": " << bitsPerToken(model->line, valid, alone) << " / "
          << bitsPerToken(unigram, valid, alone) << " / " << bitsPerToken(bigram, valid, alone) << "\n";
    }
    any = true;
  }
  return any;
}

std::vector<int> stepPitches(const TokenLine& line) { return melodyToSteps(line).pitch; }

VoiceLeading choraleVoiceLeading(const std::string& path, std::size_t& chorales) {
  VoiceLeading total;
  std::ifstream file(path);
  if (!file) return total;
  const nlohmann::json corpus = nlohmann::json::parse(file, nullptr, false);
  if (!corpus.is_object() || !corpus.contains("valid")) return total;
  for (const auto& chorale : corpus["valid"]) {
    PitchGrid voices(4);
    for (const auto& step : chorale)
      for (std::size_t v = 0; v < 4 && v < step.size(); ++v)
        voices[v].push_back(static_cast<int>(std::lround(step[v].get<double>())));
    total.add(measureVoiceLeading(voices));
    ++chorales;
  }
  return total;
}

bool reportCounterLines(const ModelStore& store, const EvaluationInputs& in, std::ostream& out) {
  const NamedModel* models[4] = {nullptr, store.findByName(1, in.name), store.findByName(2, in.name),
                                 store.findByName(3, in.name)};
  const auto tops = split(in, "valid", 1);
  if (!models[1] || !models[2] || !models[3] || tops.empty()) return false;

  VoiceShape corpus[4], generated[4];
  for (int type = 1; type <= 3; ++type)
    for (const SentencePair& p : split(in, "train", type)) corpus[type].add(p.target);
  VoiceLeading made;
  std::size_t outside[4] = {}, lines = 0;
  for (const SentencePair& top : tops) {
    if (lines == in.limit) break;
    if (std::count_if(top.source.begin(), top.source.end(), isNote) < 4) continue;
    ++lines;
    PitchGrid voices{stepPitches(top.source)};
    for (int type = 1; type <= 3; ++type) {
      const auto candidates = serverCandidates(store, *models[type], top.source, lines);
      const TokenLine line = candidates.empty() ? TokenLine{} : candidates.front();
      voices.push_back(stepPitches(line));
      generated[type].add(line);
      outside[type] += notesOutside(line, corpus[type]);
    }
    made.add(measureVoiceLeading(voices));
  }
  std::size_t chorales = 0;
  const VoiceLeading real = choraleVoiceLeading(in.chorales, chorales);

  out << "Counter lines (\"1to3G\": alto, tenor, bass under " << lines << " held-out top lines) beside "
      << chorales << " held-out chorales:\n"
      << std::fixed << std::setprecision(4) << "  parallel fifths/octaves per onset: " << made.parallelsPerOnset()
      << "  chorales " << real.parallelsPerOnset() << "\n"
      << "  voice crossings per onset:         " << made.crossingsPerOnset() << "  chorales "
      << real.crossingsPerOnset() << "\n";
  for (int type = 1; type <= 3; ++type) {
    out << std::setprecision(2) << "  " << std::setw(5) << kVoiceNames[type] << ": range " << generated[type].lowest
        << ".." << generated[type].highest << " (corpus " << corpus[type].lowest << ".." << corpus[type].highest
        << ", " << outside[type] << " of " << generated[type].notes << " notes outside); mean step "
        << generated[type].meanStep() << " (corpus " << corpus[type].meanStep() << ")\n";
  }
  return true;
}

bool reportMelodyKey(const ModelStore& store, const EvaluationInputs& in, std::ostream& out) {
  const NamedModel* model = store.findByName(0, in.name);
  const auto valid = split(in, "valid", 0);
  if (!model || valid.empty()) return false;
  constexpr std::size_t kContext = 24;
  Share made, real;
  std::size_t contexts = 0;
  for (const SentencePair& sentence : valid) {
    if (contexts == in.limit) break;
    if (sentence.target.size() < kContext + 16) continue;
    ++contexts;
    const TokenLine context(sentence.target.begin(), sentence.target.begin() + kContext);
    const auto scale = scaleOf(context);
    TokenLine continuation;
    for (int steps = 0, i = kContext; i < static_cast<int>(sentence.target.size()) && steps < 128; ++i) {
      continuation.push_back(sentence.target[i]);
      steps += melodySteps(sentence.target[i]);
    }
    const Share r = notesInScale(continuation, scale);
    real.add(r.in, r.all);
    for (const TokenLine& line : serverCandidates(store, *model, context, contexts)) {
      const Share m = notesInScale(line, scale);
      made.add(m.in, m.all);
    }
  }
  out << std::fixed << std::setprecision(3) << "Melody continuation (type 0) after " << contexts
      << " held-out contexts: notes in the context's scale " << made.value() << ", corpus " << real.value() << "\n";
  return true;
}

bool reportDrums(const ModelStore& store, const EvaluationInputs& in, std::ostream& out) {
  bool any = false;
  if (const NamedModel* model = store.findByName(4, in.drumsName)) {
    Meter made, real;
    for (const SentencePair& s : split(in, "train", 4)) addMeter(real, s.target, 0);
    std::size_t contexts = 0;
    for (const SentencePair& s : split(in, "valid", 4)) {
      if (contexts == in.limit) break;
      if (s.target.size() < 32) continue;
      ++contexts;
      const std::size_t context = std::min<std::size_t>(64, s.target.size() / 2);
      const TokenLine tokens(s.target.begin(), s.target.begin() + static_cast<std::ptrdiff_t>(context));
      for (const TokenLine& line : serverCandidates(store, *model, tokens, contexts)) addMeter(made, line, context);
    }
    out << std::fixed << std::setprecision(3) << "Drums (type 4) after " << contexts
        << " held-out contexts: hits on beats " << made.hits.value() << " (training " << real.hits.value()
        << "), accents on beats " << made.accents.value() << " (training " << real.accents.value() << ")\n";
    any = contexts > 0;
  }
  if (const NamedModel* model = store.findByName(5, in.drumsName)) {
    Meter made, real;
    for (const SentencePair& s : split(in, "train", 5)) addMeter(real, s.target, 0);
    std::size_t sections = 0;
    for (const SentencePair& s : split(in, "valid", 5)) {
      if (sections == in.limit) break;
      ++sections;
      for (const TokenLine& line : serverCandidates(store, *model, s.source, sections)) addMeter(made, line, 0);
    }
    out << std::fixed << std::setprecision(3) << "Drums under voices (type 5), " << sections
        << " held-out sections: hits on beats " << made.hits.value() << " (training " << real.hits.value()
        << "), accents on beats " << made.accents.value() << " (training " << real.accents.value() << ")\n";
    any = any || sections > 0;
  }
  return any;
}

}  // namespace

double bitsPerToken(const LineModel& model, const std::vector<SentencePair>& pairs,
                    LineModel::OwnPast ownPast) {
  double logProbability = 0.0;
  std::size_t tokens = 0;
  for (const SentencePair& pair : pairs) {
    const auto score = model.score(pair, ownPast);
    logProbability += score.logProbability;
    tokens += score.tokens;
  }
  return tokens ? -logProbability / tokens / std::log(2.0) : 0.0;
}

std::string scheduleName(const std::string& splitName, int type, const std::string& role) {
  return splitName + "-type" + std::to_string(type) + (role.empty() ? "" : "-" + role) + ".txt";
}

bool evaluate(const ModelStore& store, const EvaluationInputs& inputs, std::ostream& out) {
  bool any = reportLikelihood(store, inputs, out);
  any = reportCounterLines(store, inputs, out) || any;
  any = reportMelodyKey(store, inputs, out) || any;
  any = reportDrums(store, inputs, out) || any;
  return any;
}

}  // namespace quorvel::server
