#include "generator/ScaleTable.h"

namespace quorvel {

const std::array<std::array<std::int32_t, kStepColumns>, 10> kStepWeights{{
    {20, 66, 114, 794, 1, 1, 1, 1, 1, 1},
    {1, 1, 1, 1, 1, 300, 160, 415, 40, 80},
    {8, 20, 90, 599, 1, 200, 75, 5, 1, 1},
    {20, 15, 10, 5, 1, 749, 80, 60, 40, 20},
    {16, 60, 70, 599, 1, 160, 40, 30, 16, 8},
    {10, 50, 60, 260, 1, 429, 100, 42, 42, 6},
    {5, 20, 10, 210, 1, 559, 5, 180, 5, 5},
    {5, 13, 10, 599, 1, 340, 10, 12, 5, 5},
    {18, 36, 72, 199, 1, 151, 170, 150, 185, 18},
    {20, 66, 114, 794, 1, 1, 1, 1, 1, 1},
}};

std::int32_t degreeStepOfCode(std::int32_t code) {
  switch (code) {
    case 3: return 1;
    case 5: return 2;
    case 7: return 3;
    case 8: return -3;
    case 10: return -2;
    case 12: return -1;
    default: return 0;
  }
}

}  // namespace quorvel
