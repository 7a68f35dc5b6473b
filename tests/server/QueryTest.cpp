#include <gtest/gtest.h>

#include "server/Query.h"

namespace quorvel::server {
namespace {

GenRequest parsedGen(std::string_view query) {
  const Request request = parseRequest("/gen", query);
  if (const auto* bad = std::get_if<BadRequest>(&request)) ADD_FAILURE() << query << ": " << bad->reason;
  return std::holds_alternative<GenRequest>(request) ? std::get<GenRequest>(request) : GenRequest{};
}

TEST(Query, ReadsTheClientsLiteralPlusSeparatorsAndEscapedOnes) {
  for (std::string_view query : {"type=1&genre=3&len=2&data=f9ec+c0000+", "type=1&genre=3&len=2&data=f9ec%20c0000%2B",
                                 "data=f9ec+c0000&len=2&genre=3&type=1"}) {
    const GenRequest request = parsedGen(query);
    EXPECT_EQ(request.type, 1);
    EXPECT_EQ(request.genre, 3);
    EXPECT_EQ(request.tokens, (TokenLine{0xF9EC, 0xC0000})) << query;
  }
  EXPECT_EQ(parsedGen("type=0&genre=0&len=2&data=f9ec+c0000+").dataText, "f9ec+c0000+");
  EXPECT_TRUE(parsedGen("type=0&genre=0&len=0&data=").tokens.empty());
  EXPECT_TRUE(std::holds_alternative<GenreListRequest>(parseRequest("/genre", "")));
}

TEST(Query, RefusesEveryMalformedRequestWithAReason) {
  const std::string big(kMaxDataBytes + 1, 'a');
  std::vector<std::pair<std::string, std::string>> bad{{"/generate", "type=0&genre=0&len=0&data="}, {"/", ""}};
  for (const std::string& query : std::vector<std::string>{
           "type=6&genre=0&len=0&data=", "type=-1&genre=0&len=0&data=", "genre=0&len=0&data=", "type=0&len=0&data=",
        "type=0&genre=0&data=", "type=0&genre=0&len=0", "type=x&genre=0&len=0&data=",
        "type=0&genre=0&len=1.5&data=f9ec+", "type=0&genre=&len=0&data=", "type=0&genre=0&len=99999999999&data=",
        "type=0&type=1&genre=0&len=0&data=", "type=0&genre=0&len=1&data=f9eg+",
        "type=0&genre=0&len=1&data=123456789+", "type=0&genre=0&len=2&data=f9ec++f9ec+",
        "type=0&genre=0&len=2&data=f9ec+", "type=0&genre=0&len=0&data=f9ec+", "type=0&genre=0&len=1&data=%zz",
        "type=0&genre=0&len=1&data=f9ec%", "type=0&genre=0&len=0&data=" + big})
    bad.emplace_back("/gen", query);
  for (const auto& [path, query] : bad) {
    const Request request = parseRequest(path, query);
    ASSERT_TRUE(std::holds_alternative<BadRequest>(request)) << path << "?" << query.substr(0, 80);
    EXPECT_FALSE(std::get<BadRequest>(request).reason.empty());
  }
}

// The client builds data in a fixed buffer and may cut it inside a token
// while len still counts that token; such a request is served from the
// complete tokens, and the echo keeps the data's length.
TEST(Query, ServesDataTheClientCutAtItsBufferEnd) {
  std::string data;
  int written = 0;
  while (data.size() < 1599) {
    data += "c0000+";
    ++written;
  }
  data.resize(1599);  // ends inside a token
  const GenRequest request = parsedGen("type=1&genre=0&len=" + std::to_string(written) + "&data=" + data);
  EXPECT_EQ(request.tokens.size(), 1599u / 6);
  EXPECT_EQ(request.dataText.size(), 1599u);

  // Data that ends on a whole token must match len exactly.
  data.resize(1596);
  EXPECT_TRUE(std::holds_alternative<BadRequest>(
      parseRequest("/gen", "type=1&genre=0&len=" + std::to_string(written) + "&data=" + data)));
}

}  // namespace
}  // namespace quorvel::server
