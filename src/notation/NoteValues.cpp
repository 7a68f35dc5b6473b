#include "notation/NoteValues.h"

#include <array>

namespace quorvel::notation {

namespace {

struct Value {
  int steps;
  int alignment;  // the value starts only at multiples of this in the measure
};
// Longest first: the longest value that fits and lines up is taken.
constexpr std::array<Value, 8> kValues{{{16, 16}, {12, 16}, {8, 8}, {6, 8}, {4, 4}, {3, 4}, {2, 2}, {1, 1}}};

}  // namespace

std::vector<int> notatedLengths(int position, int length) {
  std::vector<int> lengths;
  while (length > 0) {
    for (const Value& v : kValues) {
      if (v.steps <= length && position % v.alignment == 0) {
        lengths.push_back(v.steps);
        position += v.steps;
        length -= v.steps;
        break;
      }
    }
  }
  return lengths;
}

const char* noteTypeOf(int steps) {
  switch (steps) {
    case 16: return "whole";
    case 12:
    case 8: return "half";
    case 6:
    case 4: return "quarter";
    case 3:
    case 2: return "eighth";
    default: return "16th";
  }
}

bool isDotted(int steps) { return steps == 12 || steps == 6 || steps == 3; }

}  // namespace quorvel::notation
