// Reading learning-schedule files: sentences of hexadecimal tokens, each
// token followed by one blank, each sentence ended by "." and a line feed.
#pragma once

#include <string>
#include <vector>

#include "server/Token.h"

namespace quorvel::server {

struct ScheduleRead {
  std::vector<TokenLine> sentences;
  std::string error;  // empty when the file was read
};

ScheduleRead readScheduleFile(const std::string& path);
ScheduleRead parseSchedule(std::string_view text, const std::string& name);

}  // namespace quorvel::server
