// The voice-leading findings in words, in the user's language.
#include <cstdio>

#include "base/Messages.h"
#include "model/Score.h"
#include "tools/VoiceLeading.h"

namespace quorvel {

namespace {

constexpr const char* kRuleTexts[kVoiceRuleCount] = {
    "parallel fifths",
    "parallel octaves",
    "voice crossing",
    "leap of 9 semitones or more",
    "tritone leap",
    "second or seventh against the melody",
    "repeated note in the melody",
    "unison with the melody",
    "fifth or octave reached by similar motion in the outer voices",
    "fourth against the lowest voice",
};

const char* partName(int part) {
  switch (part) {
    case kSopranoSet: return "Soprano";
    case kAltoSet: return "Alto";
    case kTenorSet: return "Tenor";
    default: return "Bass";
  }
}

int stepsIntoSong(int step) { return step > kSongStartStep ? step - kSongStartStep : 0; }

}  // namespace

int barOf(int step) { return stepsIntoSong(step) / kStepsPerBar + 1; }

std::string beatOf(int step) {
  static constexpr const char* kQuarters[] = {"", ".25", ".5", ".75"};
  const int inBar = stepsIntoSong(step) % kStepsPerBar;
  return std::to_string(inBar / 4 + 1) + kQuarters[inBar % 4];
}

std::string partsText(const std::vector<int>& parts, int language) {
  std::string text;
  for (int part : parts) text += (text.empty() ? "" : ", ") + localized(partName(part), language);
  return text;
}

std::string ruleText(VoiceRule rule, int language) {
  return localized(kRuleTexts[static_cast<int>(rule)], language);
}

std::string findingLine(const VoiceFinding& finding, int language) {
  const std::string place = localized("bar %d beat %s", language);
  char text[64];
  std::snprintf(text, sizeof text, place.c_str(), barOf(finding.step), beatOf(finding.step).c_str());
  return std::string(text) + ": " + partsText(finding.parts, language) + ": " + ruleText(finding.rule, language);
}

}  // namespace quorvel
