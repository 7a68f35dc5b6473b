#include "server/ScheduleFile.h"

#include "base/FileIo.h"

namespace quorvel::server {

ScheduleRead parseSchedule(std::string_view text, const std::string& name) {
  ScheduleRead result;
  TokenLine sentence;
  std::size_t lineNumber = 1;
  std::size_t i = 0;
  auto fail = [&](const std::string& why) {
    result.sentences.clear();
    result.error = name + ":" + std::to_string(lineNumber) + ": " + why;
    return result;
  };
  while (i < text.size()) {
    const char c = text[i];
    if (c == ' ' || c == '\r') {
      ++i;
    } else if (c == '\n') {
      if (!sentence.empty()) return fail("sentence without its closing \".\"");
      ++lineNumber;
      ++i;
    } else if (c == '.') {
      result.sentences.push_back(std::move(sentence));
      sentence.clear();
      ++i;
    } else {
      std::size_t end = i;
      while (end < text.size() && text[end] != ' ' && text[end] != '.' && text[end] != '\n') ++end;
      const auto token = parseHexToken(text.substr(i, end - i));
      if (!token) return fail("\"" + std::string(text.substr(i, end - i)) + "\" is not a hexadecimal token");
      sentence.push_back(*token);
      i = end;
    }
  }
  if (!sentence.empty()) return fail("last sentence has no closing \".\"");
  return result;
}

ScheduleRead readScheduleFile(const std::string& path) {
  const auto bytes = readWholeFile(path);
  if (!bytes) {
    ScheduleRead result;
    result.error = path + ": cannot be opened";
    return result;
  }
  return parseSchedule(std::string_view(reinterpret_cast<const char*>(bytes->data()), bytes->size()), path);
}

}  // namespace quorvel::server
