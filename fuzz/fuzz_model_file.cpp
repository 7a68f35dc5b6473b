// Feeds arbitrary bytes to the model file reader, as the server does with
// every file in its models folder at start: a damaged file must be refused
// with a reason, never crash or serve garbage. Most inputs get a valid
// checksum first, so the fuzzer reaches the model data behind it.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "server/ByteStream.h"
#include "server/ModelFile.h"

namespace {

constexpr std::size_t kChecksumBytes = 8;

void sealWithChecksum(std::vector<std::uint8_t>& bytes) {
  const std::size_t body = bytes.size() - kChecksumBytes;
  std::uint64_t sum = quorvel::server::fnv1a(bytes.data(), body);
  for (std::size_t i = 0; i < kChecksumBytes; ++i, sum >>= 8) bytes[body + i] = static_cast<std::uint8_t>(sum);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace quorvel::server;
  std::vector<std::uint8_t> bytes(data, data + size);
  if (bytes.size() > kChecksumBytes && bytes.back() % 4 != 0) sealWithChecksum(bytes);
  NamedModel model;
  if (!decodeModelFile(bytes, model).empty()) return 0;
  // What was accepted writes a file that reads back to the same model.
  const std::vector<std::uint8_t> written = encodeModelFile(model);
  NamedModel again;
  if (!decodeModelFile(written, again).empty() || encodeModelFile(again) != written) std::abort();
  return 0;
}
