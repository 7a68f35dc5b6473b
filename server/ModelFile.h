// Model files: one learned LineModel for one (type, genre), with its name,
// a format version and a checksum, so a truncated, damaged or foreign file is
// refused by name instead of serving nonsense.
#pragma once

#include <string>
#include <vector>

#include "server/LineModel.h"

namespace quorvel::server {

constexpr std::uint32_t kModelFormatVersion = 3;
inline constexpr const char* kModelExtension = ".qvm";

struct NamedModel {
  int genre = 0;
  std::string name;
  LineModel line;
};

std::vector<std::uint8_t> encodeModelFile(const NamedModel& model);
// Empty error when the bytes hold a model of this format version.
std::string decodeModelFile(const std::vector<std::uint8_t>& bytes, NamedModel& model);

// The file name a trained model is written under: type<T>-<genre><name>.qvm
std::string modelFileName(int type, const NamedModel& model);

}  // namespace quorvel::server
