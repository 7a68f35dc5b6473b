#include "netgen/GenerationRequest.h"

#include "netgen/Candidates.h"

namespace quorvel {

namespace {

std::string urlOf(const RemoteClient& client, const GenerationQuery& query) {
  return generationUrl(client.address(), query.type, query.genre, query.len, query.data);
}

GenerationAnswer answerOf(const HttpReply& reply, const GenerationQuery& query) {
  GenerationAnswer answer;
  answer.rows = candidatesOfReply(reply, query, &answer.error);
  return answer;
}

GenerationAnswer answerOrAbandoned(const std::optional<HttpReply>& reply, const GenerationQuery& query) {
  if (!reply) {
    GenerationAnswer abandoned;
    abandoned.abandoned = true;
    abandoned.error = "abandoned";
    return abandoned;
  }
  return answerOf(*reply, query);
}

}  // namespace

std::optional<CandidateRows> candidatesOfReply(const HttpReply& reply, const GenerationQuery& query,
                                               std::string* error) {
  auto fail = [error](std::string why) -> std::optional<CandidateRows> {
    if (error) *error = std::move(why);
    return std::nullopt;
  };
  if (!reply.ok()) return fail(reply.error.empty() ? "no reply" : reply.error);
  if (!replyAcceptable(reply.body, query.type)) return fail("the reply is not a usable candidate text");
  RemoteState split;
  const std::size_t echo = replyEchoesData(query.type) ? query.data.size() : 0;
  if (!splitCandidates(split, reply.body, echo)) return fail("a candidate of the reply is too long");
  return split.candidateRows;
}

GenerationAnswer requestCandidates(RemoteClient& client, const GenerationQuery& query) {
  return answerOf(client.get(urlOf(client, query)), query);
}

GenerationAnswer requestCandidatesWhile(RemoteClient& client, const GenerationQuery& query,
                                        const std::function<bool()>& keepWaiting) {
  return answerOrAbandoned(client.getWhile(urlOf(client, query), keepWaiting), query);
}

GenerationAnswer requestCandidatesWithProgress(RemoteClient& client, const GenerationQuery& query, Ui& ui,
                                               int language) {
  return answerOrAbandoned(client.getWithProgress(urlOf(client, query), ui, language), query);
}

}  // namespace quorvel
