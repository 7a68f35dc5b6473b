#include "server/Service.h"

#include <random>

#include "server/Generation.h"

namespace quorvel::server {
namespace {

Response refuse(const std::string& reason, std::string summary) {
  return {400, "type error: " + reason + "\n", std::move(summary)};
}

std::uint64_t freshSeed() {
  thread_local std::random_device device;
  return (static_cast<std::uint64_t>(device()) << 32) ^ device();
}

}  // namespace

Response Service::handle(std::string_view path, std::string_view query) const {
  const Request request = parseRequest(path, query);
  if (const auto* bad = std::get_if<BadRequest>(&request))
    return refuse(bad->reason, std::string(path.substr(0, 64)) + " refused: " + bad->reason);
  if (std::holds_alternative<GenreListRequest>(request)) return {200, store_.genreList(), "/genre"};

  const auto& gen = std::get<GenRequest>(request);
  std::string summary = "type=" + std::to_string(gen.type) + " genre=" + std::to_string(gen.genre) +
                        " len=" + std::to_string(gen.len);
  const NamedModel* model = store_.find(gen.type, gen.genre);
  if (!model) {
    const std::string reason = "no model of type " + std::to_string(gen.type) + " has genre " + std::to_string(gen.genre);
    return refuse(reason, summary + " refused: " + reason);
  }
  const Seeds seeds{seed_ ? *seed_ : freshSeed(), seed_.value_or(0)};
  return {200, answerGen(store_, *model, gen, seeds), summary};
}

}  // namespace quorvel::server
