#include "learning/DrumSections.h"

#include <algorithm>

#include "learning/ScheduleText.h"

namespace quorvel {

namespace {

constexpr int kSectionBreak = 161;
constexpr int kSectionMaxSpan = 640;
constexpr int kSectionMinLength = 80;
constexpr int kSilentStepLimit = 96;
constexpr int kAccentVelocity = 100;  // above it a hit goes to the accent lanes
constexpr int kAccentBitOffset = 12;

int drumX(NoteCode c) { return kStepPixels * noteStart(c); }

std::uint32_t voiceStepToken(const std::array<Line, 4>& parts, int x) {
  std::uint32_t token = 0;
  const NoteCode stepCode = static_cast<NoteCode>(x / kStepPixels) << kStartShift;
  for (int bit = 0; bit < 4; ++bit) {
    const Line& line = parts[static_cast<std::size_t>(kSoprano - bit)];
    const auto it = std::lower_bound(line.begin(), line.end(), stepCode);
    if (it == line.end()) continue;
    if (noteX(*it) == x) token |= 1u << bit;
    else if (it != line.begin() && noteEndX(*std::prev(it)) > x) token |= 1u << (bit + 4);
  }
  return token;
}

std::uint32_t laneBit(NoteCode c) {
  const int lane = drumRow(c);
  if (lane < 1 || lane > 12) return 0;  // the reader makes lanes 1..12 only
  return 1u << (drumVelocity(c) > kAccentVelocity ? lane - 1 + kAccentBitOffset : lane - 1);
}

}  // namespace

void forEachDrumSection(const Line& drums, const std::function<void(Section)>& visit) {
  if (drums.empty()) return;
  Section section{drumX(drums.front()), drumX(drums.front()) + kStepPixels};
  for (std::size_t i = 1; i < drums.size(); ++i) {
    const int x = drumX(drums[i]);
    if (x < section.end) continue;
    if (x - section.end >= kSectionBreak) {
      if (section.end - section.start >= kSectionMinLength) visit(section);
      section.start = x;
    } else if (x - section.start >= kSectionMaxSpan) {
      visit(section);
      section.start = x;
    }
    section.end = x + kStepPixels;
  }
  if (section.end - section.start >= kSectionMinLength) visit(section);
}

int appendVoiceSteps(const std::array<Line, 4>& parts, Section section, std::string& out) {
  int silent = 0;
  for (int x = section.start; x < section.end; x += kStepPixels) {
    const std::uint32_t token = voiceStepToken(parts, x);
    if (token == 0) ++silent;
    appendToken(out, token);
  }
  return silent;
}

void appendDrumStepSentence(const Line& drums, Section section, std::string& out) {
  const NoteCode first = static_cast<NoteCode>(section.start / kStepPixels) << kStartShift;
  int step = section.start / kStepPixels;
  std::uint32_t mask = 0;
  for (auto it = std::lower_bound(drums.begin(), drums.end(), first); it != drums.end() && drumX(*it) < section.end;
       ++it) {
    for (; noteStart(*it) > step; ++step) {
      appendToken(out, mask);
      mask = 0;
    }
    mask |= laneBit(*it);
  }
  appendToken(out, mask);
  endSentence(out);
}

void writeDrumSections(const std::array<Line, 4>& parts, const Line& drums, std::string& voiceOut,
                       std::string& drumOut, std::string& drumOnlyOut) {
  std::string voices;
  forEachDrumSection(drums, [&](Section section) {
    voices.clear();
    if (appendVoiceSteps(parts, section, voices) < kSilentStepLimit) {
      voiceOut += voices;
      endSentence(voiceOut);
      appendDrumStepSentence(drums, section, drumOut);
    }
    appendDrumStepSentence(drums, section, drumOnlyOut);
  });
}

}  // namespace quorvel
