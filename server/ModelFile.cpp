#include "server/ModelFile.h"

#include <cstring>

namespace quorvel::server {
namespace {

constexpr char kMagic[8] = {'Q', 'V', 'M', 'O', 'D', 'E', 'L', '\n'};

}  // namespace

std::vector<std::uint8_t> encodeModelFile(const NamedModel& model) {
  ByteWriter out;
  for (char c : kMagic) out.bytes().push_back(static_cast<std::uint8_t>(c));
  out.u32(kModelFormatVersion);
  out.u32(static_cast<std::uint32_t>(model.genre));
  out.text(model.name);
  model.line.write(out);
  out.u64(fnv1a(out.bytes().data(), out.bytes().size()));
  return std::move(out.bytes());
}

std::string decodeModelFile(const std::vector<std::uint8_t>& bytes, NamedModel& model) {
  if (bytes.size() < sizeof kMagic + 12 || std::memcmp(bytes.data(), kMagic, sizeof kMagic) != 0)
    return "not a Quorvel model file";
  const std::size_t body = bytes.size() - 8;
  ByteReader tail(bytes.data() + body, 8);
  ByteReader in(bytes.data() + sizeof kMagic, body - sizeof kMagic);
  const std::uint32_t version = in.u32();
  if (version != kModelFormatVersion)
    return "model format version " + std::to_string(version) + ", this server reads version " +
           std::to_string(kModelFormatVersion);
  if (tail.u64() != fnv1a(bytes.data(), body)) return "damaged or truncated (checksum does not match)";
  model.genre = static_cast<int>(in.u32());
  model.name = in.text();
  if (in.failed() || model.genre < 0 || model.name.empty() || model.name.find_first_of(" ,") != std::string::npos)
    return "bad genre or name";
  if (!model.line.read(in) || in.remaining() != 0) return "inconsistent model data";
  return {};
}

std::string modelFileName(int type, const NamedModel& model) {
  return "type" + std::to_string(type) + "-" + std::to_string(model.genre) + model.name + kModelExtension;
}

}  // namespace quorvel::server
