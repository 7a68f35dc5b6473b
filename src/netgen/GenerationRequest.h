#pragma once
// One "/gen" request from data text to candidate rows. The blocking form
// serves the command line and the infinite generation; the G buttons use the
// form that shows the progress window while the request runs.
#include <array>
#include <functional>
#include <optional>
#include <string>

#include "netgen/RemoteClient.h"
#include "netgen/RemoteState.h"

namespace quorvel {

using CandidateRows = std::array<std::string, kCandidateRows>;

struct GenerationQuery {
  RequestType type = RequestType::Generator;
  int genre = 0;
  std::string data;
  int len = 0;
};

struct GenerationAnswer {
  std::optional<CandidateRows> rows;  // nullopt: the request failed or was abandoned
  bool abandoned = false;             // the user closed the progress window
  std::string error;                  // why it failed, for the command line
};

// The candidate rows of a reply, or nullopt when the reply is not usable.
std::optional<CandidateRows> candidatesOfReply(const HttpReply& reply, const GenerationQuery& query,
                                               std::string* error = nullptr);

GenerationAnswer requestCandidates(RemoteClient& client, const GenerationQuery& query);
// On the request worker while `keepWaiting` answers true (see RemoteClient::getWhile).
GenerationAnswer requestCandidatesWhile(RemoteClient& client, const GenerationQuery& query,
                                        const std::function<bool()>& keepWaiting);
GenerationAnswer requestCandidatesWithProgress(RemoteClient& client, const GenerationQuery& query, Ui& ui,
                                               int language);

}  // namespace quorvel
