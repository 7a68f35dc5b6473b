#pragma once
// The six request types of the "/gen" endpoint and what goes with each: the
// size of its data text, whether the reply begins with an echo of the data,
// and the size of the reply text.
#include <cstddef>

namespace quorvel {

enum class RequestType : int {
  Generator = 0,    // nnMelody: context before the new melody
  OneToOne = 1,     // counter lines: the top line's phrase
  TwoToOne = 2,
  ThreeToOne = 3,
  Drums = 4,        // nnDrums: drum steps before the new drums
  MelodyToDrums = 5 // nnMelodyToDrums: which voices start or sound per step
};

inline constexpr int kRequestTypeCount = 6;

constexpr int typeIndex(RequestType t) { return static_cast<int>(t); }

// Bytes of the data text, its terminating zero included.
constexpr std::size_t dataBufferSize(RequestType t) {
  return t == RequestType::Drums || t == RequestType::MelodyToDrums ? 1024 : 1600;
}

constexpr bool replyEchoesData(RequestType t) { return t == RequestType::Generator || t == RequestType::Drums; }

// Characters of the reply text, its terminating zero included.
constexpr std::size_t replyBufferSize(RequestType t) { return replyEchoesData(t) ? 8000 : 10240; }

constexpr bool decodesDrums(RequestType t) { return t == RequestType::Drums || t == RequestType::MelodyToDrums; }

// The kind each G function stores as `lastRequestKind`.
enum RequestKind : int {
  kKindCounter1to1 = 0,
  kKindCounter2to1 = 1,
  kKindCounter3to1 = 2,
  kKindMelody = 3,
  kKindDrums = 4,
  kKindMelodyToDrums = 5,
  kKindNone = 16384
};

}  // namespace quorvel
