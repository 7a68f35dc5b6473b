// Feeds arbitrary request lines to the generation server's request handling:
// parsing of path and query, then generation from small models of every type,
// so hostile tokens (huge rests, zero lengths, any drum mask) reach the models.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "server/LineModel.h"
#include "server/ModelStore.h"
#include "server/Service.h"

namespace {

using namespace quorvel::server;

ModelStore makeStore() {
  ModelStore store;
  std::vector<SentencePair> melody, pairs, steps;
  for (int i = 0; i < 8; ++i) {
    TokenLine top, below, voices, drums;
    for (int n = 0; n < 16; ++n) {
      top.push_back(makeNote(70 + (n * 7 + i) % 8, 2 + n % 3));
      below.push_back(makeNote(60 + (n * 5 + i) % 8, 2 + n % 3));
      if (n % 4 == 3) below.push_back(static_cast<Token>(1 + i % 2) << 18);
      voices.push_back(n % 2 ? 0x10 : 0x1);
      drums.push_back(n % 4 ? 0 : 0x801);
    }
    melody.push_back({{}, top});
    pairs.push_back({top, below});
    steps.push_back({voices, drums});
  }
  for (int type = 0; type < kRequestTypes; ++type) {
    const Shape shape = shapeOf(type);
    const auto& data = shape == Shape::PairedMelody ? pairs : shape == Shape::PairedSteps ? steps : type == 4 ? steps : melody;
    std::vector<SentencePair> continuation;
    if (type == 4)
      for (const auto& p : steps) continuation.push_back({{}, p.target});
    std::string problem;
    store.add(type, {0, "fuzz", LineModel::train(type, shape, defaultOrder(type), type == 4 ? continuation : data)},
              problem);
  }
  return store;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const ModelStore store = makeStore();
  static const Service service(store, 1);
  const std::string_view line(reinterpret_cast<const char*>(data), size);
  const std::size_t question = line.find('?');
  const Response response = service.handle(line.substr(0, question),
                                           question == std::string_view::npos ? std::string_view{} : line.substr(question + 1));
  if (response.status != 200 && response.body.rfind("ty", 0) != 0) std::abort();
  return 0;
}
