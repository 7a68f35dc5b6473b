#include "tools/RegulateChain.h"

#include "tools/BarTools.h"

namespace quorvel {

std::optional<KeyEstimate> regulateSong(Score& s, Ui& ui) {
  trimOpeningSilence(s, ui, false);
  divideIntoParts(s, ui);
  const auto key = detectKey(s, ui, true);
  fitKeyToC3(s, ui);
  reduceNoteValues(s, ui);
  return key;
}

}  // namespace quorvel
