#include <gtest/gtest.h>

#include <atomic>
#include <fstream>
#include <regex>
#include <thread>

#include "ServerProcess.h"
#include "TinyCorpus.h"

namespace quorvel::test {
namespace {

// Five candidates, each a run of lower-case tokens followed by one blank,
// ended by "." (and a line feed), as the client splits them.
const std::regex kCandidates("(([0-9a-f]+ )*\\.\\n){5}");

class ServerHttp : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    models_ = new TinyModels;
    server_ = new ServerProcess(models_->folder().string(), {"--seed", "11"});
    ASSERT_TRUE(server_->ready()) << server_->log();
  }
  static void TearDownTestSuite() {
    delete server_;
    delete models_;
  }
  static TinyModels* models_;
  static ServerProcess* server_;
};
TinyModels* ServerHttp::models_ = nullptr;
ServerProcess* ServerHttp::server_ = nullptr;

TEST_F(ServerHttp, AnswersTheWireFormsTheClientReads) {
  const HttpReply genres = server_->get("/genre");
  EXPECT_EQ(genres.status, 200);
  EXPECT_EQ(genres.body, "0scale,1walk 3sixths 0sixths  0beat 0kicks");

  // Type 0 with the client's literal '+' separators: echo of the same length first.
  const std::string data = "f000+f7ec+1000ec+";  // a context the model never saw ends in an odd token
  const HttpReply melody = server_->get("/gen?type=0&genre=0&len=3&data=" + data);
  ASSERT_EQ(melody.status, 200) << melody.body;
  EXPECT_EQ(melody.body.substr(0, data.size()), data);
  EXPECT_TRUE(std::regex_match(melody.body.substr(data.size()), kCandidates)) << melody.body;

  // An empty context ("data=" at the end of the URL) has no echo.
  const HttpReply fresh = server_->get("/gen?type=0&genre=0&len=0&data=");
  EXPECT_TRUE(std::regex_match(fresh.body, kCandidates)) << fresh.body;

  const HttpReply counter = server_->get("/gen?type=1&genre=3&len=4&data=121ec+129ec+131ec+121ec+");
  ASSERT_EQ(counter.status, 200);
  EXPECT_TRUE(std::regex_match(counter.body, kCandidates)) << counter.body;

  const HttpReply drums = server_->get("/gen?type=5&genre=0&len=3&data=1+10+1+");
  ASSERT_EQ(drums.status, 200);
  EXPECT_TRUE(std::regex_match(drums.body, std::regex("(([0-9a-f]+ ){3}\\.\\n){5}"))) << drums.body;
  EXPECT_EQ(drums.body, server_->get("/gen?type=5&genre=0&len=3&data=1+10+1+").body) << "the seed fixes the reply";
}

TEST_F(ServerHttp, RefusesBadRequestsWithTyAndKeepsServing) {
  // A malformed query (each kind is read in the query tests), no model for the genre or type, too much data.
  for (const std::string& target :
       std::vector<std::string>{"/gen?type=0&genre=0&len=1&data=xyz+", "/gen?type=0&genre=77&len=0&data=",
                                "/gen?type=3&genre=0&len=0&data=", "/gen?type=0&genre=0&len=0&data=" + std::string(70000, 'a')}) {
    const HttpReply reply = server_->get(target);
    EXPECT_EQ(reply.status, 400) << target.substr(0, 60);
    EXPECT_EQ(reply.body.substr(0, 2), "ty") << target.substr(0, 60);
  }
  EXPECT_EQ(server_->get("/genre").status, 200);
  EXPECT_TRUE(server_->logShows("type=0 genre=77 len=0 refused")) << "one log line per request";
}

TEST_F(ServerHttp, ServesConcurrentClientsWithGoodAndBadRequestsMixed) {
  std::atomic<int> wrong{0};
  std::vector<std::thread> clients;
  for (int c = 0; c < 8; ++c) {
    clients.emplace_back([&, c] {
      for (int i = 0; i < 12; ++i) {
        const bool bad = (i + c) % 3 == 0;
        const HttpReply reply = server_->get(bad ? "/gen?type=1&genre=3&len=2&data=121ec+"
                                                 : "/gen?type=1&genre=3&len=2&data=121ec+129ec+");
        const bool right = bad ? reply.status == 400 && reply.body.rfind("ty", 0) == 0
                               : reply.status == 200 && std::regex_match(reply.body, kCandidates);
        if (!right) ++wrong;
      }
    });
  }
  for (std::thread& t : clients) t.join();
  EXPECT_EQ(wrong.load(), 0);
}

TEST_F(ServerHttp, AServerStartedOnABrokenModelFileNamesItAndServesTheOthers) {
  std::ofstream(models_->folder() / "type3-0broken.qvm") << "QVMODEL\nnot really";
  ServerProcess server(models_->folder().string());
  ASSERT_TRUE(server.ready()) << server.log();
  EXPECT_TRUE(server.logShows("type3-0broken.qvm")) << server.log();
  EXPECT_EQ(server.get("/gen?type=0&genre=0&len=0&data=").status, 200);
}

}  // namespace
}  // namespace quorvel::test
