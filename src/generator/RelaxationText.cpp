#include "generator/RelaxationText.h"

#include <algorithm>
#include <map>

#include "base/Messages.h"
#include "model/NoteCode.h"

namespace quorvel {

namespace {

constexpr int kBeatUnits = kBarPixels / 4;

const char* ruleWords(RelaxedRule rule) {
  switch (rule) {
    case RelaxedRule::kDistanceToMelody: return "distance to the melody";
    case RelaxedRule::kSpacingBelow: return "spacing to the voice below";
    case RelaxedRule::kFourthAgainstMelody: return "fourth against the melody";
    case RelaxedRule::kFourthAboveBass: return "fourth above the bass";
    case RelaxedRule::kLowerVoiceClash: return "second, seventh or unison between inner voices";
    case RelaxedRule::kLowerParallels: return "parallel fifths or octaves between lower voices";
  }
  return "";
}

const char* voiceWords(int voiceCount, int line) {
  if (voiceCount == 2) return "second voice";
  if (line == voiceCount - 1) return "bass";
  if (voiceCount == 3) return "middle voice";
  return line == 1 ? "alto" : "tenor";
}

std::string replaceFirst(std::string text, const char* slot, const std::string& value) {
  const auto at = text.find(slot);
  if (at != std::string::npos) text.replace(at, 2, value);
  return text;
}

// "rules relaxed at bar B beat b: " for the x of a melody note.
std::string placeText(int x, int language) {
  const int fromStart = std::max(0, x - kSongStartX);
  std::string text = localized("rules relaxed at bar %d beat %d: %s", language);
  text = replaceFirst(text, "%d", std::to_string(fromStart / kBarPixels + 1));
  return replaceFirst(text, "%d", std::to_string(fromStart % kBarPixels / kBeatUnits + 1));
}

}  // namespace

std::vector<std::string> relaxationLines(const std::vector<Relaxation>& relaxed, const std::vector<NotePlace>& places,
                                         int voiceCount, int language) {
  std::map<int, std::vector<const Relaxation*>> byBeat;
  for (const Relaxation& r : relaxed) byBeat[r.beat].push_back(&r);
  std::vector<std::string> lines;
  for (const auto& [beat, here] : byBeat) {
    std::string rules;
    for (const Relaxation* r : here) {
      if (!rules.empty()) rules += "; ";
      rules += localized(voiceWords(voiceCount, r->line), language) + ": " + localized(ruleWords(r->rule), language);
    }
    const int x = beat >= 0 && beat < static_cast<int>(places.size()) ? places[static_cast<std::size_t>(beat)].x
                                                                       : kSongStartX;
    lines.push_back(replaceFirst(placeText(x, language), "%s", rules));
  }
  return lines;
}

std::string relaxationStatus(const std::vector<std::string>& lines, int language) {
  if (lines.empty()) return "";
  if (lines.size() == 1) return lines.front();
  const std::string more = localized(" (and %d more places)", language);
  return lines.front() + replaceFirst(more, "%d", std::to_string(lines.size() - 1));
}

}  // namespace quorvel
