#pragma once
// The state of one local generation request: the lines being written, the
// search cursor with its history and save points, the candidate weights and
// the progress counters. One block per request, sized when it is prepared;
// the search itself allocates nothing.
#include <array>
#include <atomic>
#include <cstdint>
#include <functional>
#include <vector>

#include "model/Random.h"
#include "base/SettingsRecord.h"

namespace quorvel {

// One pitch per beat (a quarter note); -1 marks an empty beat.
using VoiceLine = std::vector<std::int32_t>;

// Result codes of the line search, shared with the driver.
enum SearchResult : std::int32_t {
  kSearchSuccess = 14,
  kSearchFailed = 10,
  kSearchReject = 8,
  kSearchDeadEnd = 9,
  kSearchBackToSavePoint = 11,
  kSearchLineComplete = 120,
  kSearchAbort = -2,
  kSearchCancelled = 46410,
};

// Bits of GeneratorContext::flags: the role of the voice being searched,
// counter mode, and the progress of the current attempt.
enum GeneratorFlag : std::uint32_t {
  kSecondOfTwo = 1u << 0,
  kMiddleOfThree = 1u << 1,
  kAltoOfFour = 1u << 2,
  kTenorOfFour = 1u << 3,
  kBassOfThree = 1u << 4,
  kBassOfFour = 1u << 5,
  kCounterMode = 1u << 6,  // the top voice was written by the user
  kForwardDone = 1u << 7,
  kLineComplete = 1u << 8,
  kDirectionChanged = 1u << 9,
  kPeakLeftByLeap = 1u << 10,
  kSecondEndsAbove = 1u << 11,
  kSecondEndsBelow = 1u << 12,
  kEndsOnTonic = 1u << 13,
  kEndsOnFifth = 1u << 14,
  kEndsOnThird = 1u << 15,
};
inline constexpr std::uint32_t kRoleFlags =
    kSecondOfTwo | kMiddleOfThree | kAltoOfFour | kTenorOfFour | kBassOfThree | kBassOfFour;
inline constexpr std::uint32_t kInnerRoles = kMiddleOfThree | kAltoOfFour | kTenorOfFour;

inline constexpr std::int32_t kDrumOnlyVoices = 4096;  // behaves like one voice
inline constexpr int kMaxTabuPitches = 10;
inline constexpr int kSavePointCount = 5;
inline constexpr int kHistoryDepth = 3;
inline constexpr int kDeadEndLimit = 50;
inline constexpr int kSegmentBeats = 32;

enum SearchPhase : std::int32_t { kPhaseForward = 1, kPhaseToPeak = 2, kPhaseLower = 3 };

// Run counters of one partner pair, in this order.
enum IntervalRun : int { kRunThirds, kRunFourths, kRunFifths, kRunSixths, kRunOctaves, kRunPerfect, kRunCount };

// One beat of a line during the search (25 signed 32-bit fields).
struct LineNote {
  std::int32_t beat = -1;
  std::int32_t pitch = -1;
  std::int32_t degreeCode = -1;
  std::int32_t scaleIndex = -1;
  std::int32_t marker = 0;  // 10: lowered a semitone below its scale step
  std::int32_t motionClass = 0;
  std::int32_t perfectCount = 0;
  // Groups of kRunCount counters: [0] top voice (second voice, bass) or bass
  // (inner voices), [1] top voice (inner voices), [2] tenor (alto).
  std::array<std::int32_t, 3 * kRunCount> intervalRuns{};

  std::int32_t& run(int group, IntervalRun r) { return intervalRuns[static_cast<std::size_t>(group * kRunCount + r)]; }
  std::int32_t run(int group, IntervalRun r) const {
    return intervalRuns[static_cast<std::size_t>(group * kRunCount + r)];
  }
};

inline constexpr std::int32_t kMarkerLowered = 10;

// A place the search can return to: the beat after which drawing resumes
// and how much history stood there.
struct SavePoint {
  std::int32_t beat = -1;
  std::int32_t historyCount = 0;
};

struct GeneratorContext;

// What a rule test says about a candidate.
enum class Verdict { kAccept, kRejectHard, kRejectSoft, kDeadEnd, kBackToSavePoint, kAbort };

// How far a search looks ahead before it commits a candidate.
enum class LookAhead {
  kNone,
  // Only through the fixed notes that close a lower voice: an outer voice
  // may arrive at its fixed penultimate note once per attempt, so a note
  // that cannot lead into it would throw the whole attempt away.
  kFixedEnding,
  // Through every later beat. Some melody states can never reach the fixed
  // notes at the end (in Dorian two notes of the dominant group in a row
  // admit only each other from then on), and the short history cannot back
  // out of them.
  kWholeLine,
};

// The rules of the line being searched: which candidates a beat offers
// when they are fixed (up to two, tried in order; 0 = draw), the test of
// a candidate, and what a commit settles beyond writing the pitch.
struct SearchPlan {
  int (*forcedCandidates)(GeneratorContext&, int beat, std::array<LineNote, 2>& out) = nullptr;
  Verdict (*test)(GeneratorContext&) = nullptr;
  void (*afterCommit)(GeneratorContext&) = nullptr;
  // Whether the note at a beat may sound a semitone lower (a mend of the
  // melodic rules); the neighbours have been checked already.
  bool (*loweringAllowed)(const GeneratorContext&, int beat, int loweredPitch) = nullptr;
  bool lowerVoice = false;
  // Commit a candidate only when the search can still go on from it.
  LookAhead lookAhead = LookAhead::kNone;
};

// One answer of the completion check: whether the search can reach its end
// from a state (see CompletionCheck.h). Valid while `stamp` is the context's.
struct ReachEntry {
  std::uint64_t key = 0;
  std::uint32_t stamp = 0;
  bool reachable = false;
};
inline constexpr int kReachTableSize = 16384;

// How the search reaches the user without knowing about windows. Each is
// optional; a missing clock means the progress window never opens.
struct GeneratorHooks {
  std::function<std::int64_t()> nowMs;
  // Called once, on the first commit more than 1000 ms after startTimeMs.
  std::function<void(GeneratorContext&)> openProgress;
  // Every tenth commit while the progress window is open: progressBase + cursor.
  std::function<void(GeneratorContext&, int position)> advanceProgress;
  // Every tenth commit: lets the Cancel button reach cancel().
  std::function<void()> pumpEvents;
};

struct GeneratorContext {
  // Settings copied at the start of the request.
  std::int32_t keyNote = 60;
  std::int32_t modeIndex = 0;
  std::int32_t lineLength = 0;  // L, in beats
  std::int32_t evokedLines = 0;
  MelodySettings settings;
  std::uint32_t flags = 0;
  std::int32_t voiceCount = 1;  // N; kDrumOnlyVoices for drum-only requests
  std::int32_t lowestPitch = 1;  // counter mode: no lower voice goes under it

  std::array<VoiceLine*, 4> lines{};
  VoiceLine* target = nullptr;
  Random* random = nullptr;
  GeneratorHooks hooks;

  std::int32_t tonicIndex = 13;
  std::array<std::int32_t, 28> scaleTable{};
  std::array<std::int32_t, 10> aroundTonic{};  // scaleTable[t-4 .. t+5]

  // The draw.
  std::int32_t totalWeight = 1000;
  std::array<std::int32_t, 10> candidateWeights{};
  std::int32_t drawnIndex = -1;
  std::int32_t rejectCount = 0;
  std::int32_t softRejectRun = 0;  // soft rejections in a row (re-admission)
  std::int32_t deadEnds = 0;
  std::int32_t searchStatus = 0;
  std::int32_t cursorBeat = 0;
  std::int32_t endBeat = 0;          // the search completes when the cursor reaches endBeat - 1
  std::int32_t searchStartBeat = 0;  // the beat of the fixed note the search began from
  LineNote searchBase;               // that note (it may stand before the line's first beat)
  std::int32_t peakBeat = -1;
  std::int32_t lineFirstBeat = 0;  // the line's first note (never lowered)
  std::int32_t lastRejectedColumn = -1;
  std::array<LineNote, 2> forced{};
  std::int32_t forcedCount = 0;
  std::int32_t forcedNext = 0;
  SearchPlan plan;
  std::int32_t phase = 0;  // which search of the voice runs (see SearchPhase)

  LineNote current;
  LineNote candidate;
  LineNote peak;
  LineNote start;
  LineNote ending;           // the melody's last note
  LineNote penultimate;      // the melody's penultimate note (when fixed)
  LineNote bassPenultimate;  // the bass's last two notes, from the ending formula
  LineNote bassEnding;
  LineNote voicePenultimate;  // fixed last two notes of the lower voice being searched
  LineNote voiceEnding;
  std::array<LineNote, 4> lowerFirst;  // first note of each lower line, by line index
  std::int32_t endingFormula = 0;

  // Committed notes of the line being searched, one per beat; the history
  // is the last kHistoryDepth of them that the search may return to.
  std::vector<LineNote> notes;
  std::vector<std::int32_t> loweredAtCommit;  // beat lowered when this beat was committed, else -1
  std::vector<ReachEntry> reachTable;  // answers of the completion check
  std::uint32_t reachStamp = 1;        // changes whenever the search starts from a new base
  std::int32_t reachBudget = 0;        // candidate tests left to the running check
  std::int32_t historyCount = 0;
  std::array<SavePoint, kSavePointCount> savePoints{};
  std::int32_t savePointCount = 0;
  std::array<std::int32_t, kMaxTabuPitches> tabuPitches{};
  std::int32_t tabuCount = 0;
  std::int32_t tabuBeat = -1;  // the beat the tabu list guards

  // Per-candidate decisions that take effect only when it is committed.
  std::int32_t pendingLowerBeat = -1;
  std::int32_t pendingApproach = 0;  // 1 supertonic, 2 leading tone
  std::int32_t approach = 0;
  std::int32_t pendingCadenceStep = 0;
  std::int32_t cadenceStep = 0;
  std::int32_t tenorCadenceStep = 0;
  std::int32_t tenorPenultimateCode = -1;
  std::int32_t penultimateArrivals = 0;
  bool beatBlocked = false;               // the beat offers no candidate at all

  // Progress and cancel.
  std::int64_t startTimeMs = 0;
  bool progressOpen = false;
  std::int32_t segment = 1;
  std::int32_t segmentCount = 1;
  std::int32_t progressTotal = 0;
  std::int32_t progressBase = 0;
  std::int32_t retryLimit = 0;
  std::uint32_t commitCounter = 0;
  std::atomic<std::int32_t> cancelWord{0};

  std::int32_t melodyAttempts = 0;
  std::int32_t lowerAttempts = 0;

  // Real-time voices: each lower line's newest note with its run counters
  // (by line index), and the first candidate of the beat being searched
  // that passed the vertical-interval test (the fallback when none passes).
  std::array<LineNote, 4> realtimeNotes{};
  LineNote realtimeFirstVertical;
  bool realtimeStarted = false;
};

}  // namespace quorvel
