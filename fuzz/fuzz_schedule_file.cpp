// Feeds arbitrary text to the trainer's schedule reader, and what it accepts
// to training and the model file's writer and reader, as `quorvel-server
// train` does with the files a user names. The first byte picks the request
// type (0..5); paired types pair each sentence with the next.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "server/LineModel.h"
#include "server/ModelFile.h"
#include "server/ScheduleFile.h"

namespace {

using namespace quorvel::server;

// Training is linear in the tokens; a bound keeps each run fast.
constexpr std::size_t kMostTokens = 4096;

std::vector<SentencePair> pairsOf(int type, const std::vector<TokenLine>& sentences) {
  std::vector<SentencePair> pairs;
  const bool paired = shapeOf(type) != Shape::Continuation;
  for (std::size_t i = 0; i < sentences.size(); ++i) {
    if (!paired) pairs.push_back({{}, sentences[i]});
    else if (i + 1 < sentences.size()) pairs.push_back({sentences[i], sentences[i + 1]});
  }
  return pairs;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const int type = data[0] % 6;
  const std::string_view text(reinterpret_cast<const char*>(data + 1), size - 1);
  const ScheduleRead read = parseSchedule(text, "fuzz");
  if (!read.error.empty()) {
    if (!read.sentences.empty()) std::abort();  // a refused file yields nothing
    return 0;
  }
  const std::vector<SentencePair> pairs = pairsOf(type, read.sentences);
  // As the trainer does: nothing to learn from is refused before training.
  std::size_t tokens = 0;
  for (const SentencePair& pair : pairs) tokens += pair.target.size();
  if (tokens == 0 || tokens > kMostTokens) return 0;

  const NamedModel model{type, "fuzz", LineModel::train(type, shapeOf(type), defaultOrder(type), pairs)};
  const std::vector<std::uint8_t> bytes = encodeModelFile(model);
  NamedModel back;
  if (!decodeModelFile(bytes, back).empty()) std::abort();  // our own file must read back
  if (encodeModelFile(back) != bytes) std::abort();
  return 0;
}
