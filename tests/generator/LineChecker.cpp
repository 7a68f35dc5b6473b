#include "LineChecker.h"

#include <algorithm>
#include <cstdlib>
#include <sstream>

namespace quorvel::testing {

namespace {

// Semitones of degrees 1..6 above the tonic, per mode.
constexpr int kDegrees[6][6] = {{2, 4, 5, 7, 9, 11}, {2, 3, 5, 7, 8, 10}, {2, 3, 5, 7, 9, 10},
                                {1, 3, 5, 7, 8, 10}, {2, 4, 6, 7, 9, 11}, {2, 4, 5, 7, 9, 10}};

class Report {
 public:
  template <typename... T>
  void breach(T&&... parts) {
    std::ostringstream s;
    (s << ... << parts);
    items.push_back(s.str());
  }
  std::vector<std::string> items;
};

int at(const VoiceLine& l, int b) { return l[static_cast<std::size_t>(b)]; }
int length(const VoiceLine& l) { return static_cast<int>(l.size()); }
int sign(int v) { return (v > 0) - (v < 0); }

void checkLeaps(const VoiceLine& l, bool counter, const char* name, Report& r) {
  for (int b = 1; b < length(l); ++b) {
    const int leap = std::abs(at(l, b) - at(l, b - 1));
    if (leap == 6) r.breach(name, ": tritone leap at beat ", b);
    if (!counter && leap >= 9) r.breach(name, ": leap of ", leap, " at beat ", b);
  }
}

void checkFilled(const VoiceLine& l, const char* name, Report& r) {
  for (int b = 0; b < length(l); ++b)
    if (at(l, b) <= 0) r.breach(name, ": empty beat ", b);
}

void checkMelody(const LineSet& s, Report& r) {
  const VoiceLine& m = *s.lines[0];
  const int n = length(m);
  checkFilled(m, "melody", r);
  const int peak = *std::max_element(m.begin(), m.end());
  if (std::count(m.begin(), m.end(), peak) != 1) r.breach("melody: peak ", peak, " is not unique");
  for (int b = 0; b < n; ++b) {
    if (at(m, b) != peak && at(m, b) < peak - 12) r.breach("melody: beat ", b, " more than 12 under the peak");
    if (b > 0 && at(m, b) == at(m, b - 1)) r.breach("melody: repeated pitch at beat ", b);
  }
  checkLeaps(m, false, "melody", r);
  const int* deg = kDegrees[s.mode];
  const int first = at(m, 0) - s.keyNote;
  if (first != 0 && first != deg[0] && first != deg[2] && first != deg[3] - 12)
    r.breach("melody: first note ", first, " semitones from the key is not allowed");
  const int last = at(m, n - 1) - s.keyNote;
  if (s.voices <= 2 && last != 0) r.breach("melody: does not end on the key note");
  if (s.voices >= 3 && last != 0 && last != deg[3] - 12 && last != deg[1])
    r.breach("melody: ends ", last, " from the key, not tonic, fifth below or third");
}

// Intervals of a lower voice against the top voice.
void checkAgainstTop(const VoiceLine& top, const VoiceLine& low, const char* name, bool unisonEndAllowed,
                     Report& r) {
  const int n = length(top);
  for (int b = 0; b < n; ++b) {
    if (at(top, b) <= 0 || at(low, b) <= 0) continue;
    const int d = at(top, b) - at(low, b);
    const int i = ((d % 12) + 12) % 12;
    const bool lastBeat = b == n - 1;
    if (d == 0 && !(lastBeat && unisonEndAllowed)) r.breach(name, ": unison with the top voice at beat ", b);
    if (i == 1 || i == 2 || i == 10 || i == 11) r.breach(name, ": second or seventh with the top voice at beat ", b);
    if (b == 0 || at(top, b - 1) <= 0 || at(low, b - 1) <= 0) continue;
    const int dPrev = at(top, b - 1) - at(low, b - 1);
    const int iPrev = ((dPrev % 12) + 12) % 12;
    const bool perfectNow = i == 0 || i == 7;
    const bool perfectBefore = iPrev == 0 || iPrev == 7;
    const int topMove = at(top, b) - at(top, b - 1);
    const int lowMove = at(low, b) - at(low, b - 1);
    if (perfectNow && perfectBefore && sign(topMove) != 0 && sign(topMove) == sign(lowMove))
      r.breach(name, ": consecutive perfect consonances in similar motion at beat ", b);
  }
}

void checkBand(const VoiceLine& top, const VoiceLine& low, int least, int below, int skipLast, const char* name,
               Report& r) {
  for (int b = 0; b < length(top) - skipLast; ++b) {
    const int d = at(top, b) - at(low, b);
    if (d < least || d >= below) r.breach(name, ": distance ", d, " to the top voice at beat ", b);
  }
}

void checkAbove(const VoiceLine& upper, const VoiceLine& lower, int least, const char* name, Report& r) {
  for (int b = 0; b < length(upper); ++b)
    if (upper[b] - lower[b] < least) r.breach(name, ": only ", upper[b] - lower[b], " apart at beat ", b);
}

void checkNoSecondsBetween(const VoiceLine& a, const VoiceLine& b, const char* name, Report& r) {
  for (int k = 0; k < length(a); ++k) {
    const int i = std::abs(at(a, k) - at(b, k)) % 12;
    if (i == 1 || i == 2 || i == 10 || i == 11) r.breach(name, ": second or seventh at beat ", k);
  }
}

void checkLowerVoices(const LineSet& s, Report& r) {
  const VoiceLine& top = *s.lines[0];
  const int n = length(top);
  if (s.voices == 2) {
    const VoiceLine& second = *s.lines[1];
    checkFilled(second, "second voice", r);
    checkLeaps(second, s.counter, "second voice", r);
    checkAgainstTop(top, second, "second voice", !s.counter, r);
    if (s.counter) return;
    checkBand(top, second, 3, 22, 1, "second voice", r);
    const int d = at(top, n - 1) - at(second, n - 1);
    if (d != 0 && d != 12) r.breach("second voice: ends ", d, " below the melody, not unison or octave");
    // Unison reached by a step from below, the octave by a step from above.
    const int approach = at(second, n - 2) - at(second, n - 1);
    if (d == 0 && approach != -1 && approach != -2) r.breach("second voice: unison ending not approached from below");
    if (d == 12 && approach != 1 && approach != 2) r.breach("second voice: octave ending not approached from above");
    return;
  }
  const VoiceLine& bass = *s.lines[s.voices - 1];
  checkFilled(bass, "bass", r);
  checkLeaps(bass, s.counter, "bass", r);
  checkAgainstTop(top, bass, "bass", false, r);
  if (!s.counter) checkBand(top, bass, s.voices == 3 ? 7 : 12, 36, 0, "bass", r);
  if (!s.counter && s.voices == 4 && at(top, n - 1) - at(bass, n - 1) < 12)
    r.breach("bass: ends less than 12 below the melody");
  if (!s.counter && (((at(bass, n - 1) - s.keyNote) % 12) + 12) % 12 != 0) r.breach("bass: does not end on the tonic");
  const char* innerNames[3] = {"alto", "tenor", "middle voice"};
  for (int line = 1; line < s.voices - 1; ++line) {
    const char* name = s.voices == 3 ? innerNames[2] : innerNames[line - 1];
    const VoiceLine& inner = *s.lines[line];
    checkFilled(inner, name, r);
    checkLeaps(inner, s.counter, name, r);
    checkAgainstTop(top, inner, name, false, r);
    checkNoSecondsBetween(inner, bass, name, r);
    if (s.counter) continue;
    checkAbove(top, inner, s.voices == 4 && line == 2 ? 7 : 3, name, r);
    checkAbove(inner, line == 1 && s.voices == 4 ? *s.lines[2] : bass, 3, name, r);
  }
  if (s.counter) return;
  if (s.voices == 4 && at(*s.lines[1], 0) <= at(*s.lines[2], 0)) r.breach("alto: starts at or below the tenor");
  const int d = at(top, 0) - at(bass, 0);
  if (s.voices == 3 && d % 12 == 0 && d < 24 && at(*s.lines[1], 0) - at(bass, 0) != 7)
    r.breach("middle voice: does not start a fifth above the bass under outer octaves");
}

}  // namespace

std::vector<std::string> checkEvoked(const LineSet& set) {
  Report r;
  checkMelody(set, r);
  if (set.voices > 1) checkLowerVoices(set, r);
  return r.items;
}

std::vector<std::string> checkCounter(const VoiceLines& lines, int voices) {
  LineSet set;
  set.voices = voices;
  set.counter = true;
  for (std::size_t k = 0; k < 4; ++k) set.lines[k] = &lines[k];
  Report r;
  checkLowerVoices(set, r);
  return r.items;
}

}  // namespace quorvel::testing
