#include "base/TextFormat.h"

namespace quorvel {

std::string formatWithString(std::string_view pattern, std::string_view value) {
  std::string out(pattern);
  const auto at = out.find("%s");
  if (at != std::string::npos) out.replace(at, 2, value);
  return out;
}

}  // namespace quorvel
