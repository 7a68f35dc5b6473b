// Load driver for quorvel-server on loopback, bounded in requests and time.
// 1. Latency: per request type, sequential requests at the largest size
//    (256 tokens), one new connection each, as the client makes them;
//    reports the median, 95th percentile and maximum.
// 2. Throughput: N concurrent clients send a mix of all types with one bad
//    request in ten; reports requests per second and every wrong answer
//    (a good request not answered 200 with candidates, a bad one not 400 "ty").
// Usage: bench_server_load PORT [latency requests per type=200] [load requests=4000]
//        [clients=8] [seconds=20]
#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <random>
#include <string>
#include <thread>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

struct Reply {
  int status = 0;
  std::string body;
};

Reply get(int port, const std::string& target) {
  Reply reply;
  const int fd = socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_port = htons(static_cast<std::uint16_t>(port));
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  if (connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) {
    close(fd);
    return reply;
  }
  const std::string request = "GET " + target + " HTTP/1.1\r\nHost: 127.0.0.1\r\nConnection: close\r\n\r\n";
  if (send(fd, request.data(), request.size(), MSG_NOSIGNAL) != static_cast<ssize_t>(request.size())) {
    close(fd);
    return reply;
  }
  std::string raw;
  char buffer[16384];
  for (ssize_t n; (n = recv(fd, buffer, sizeof buffer, 0)) > 0;) raw.append(buffer, static_cast<std::size_t>(n));
  close(fd);
  const std::size_t headerEnd = raw.find("\r\n\r\n");
  if (raw.rfind("HTTP/1.1 ", 0) != 0 || headerEnd == std::string::npos) return reply;
  reply.status = std::stoi(raw.substr(9, 3));
  reply.body = raw.substr(headerEnd + 4);
  return reply;
}

// Tokens as the client's encoders write them, 256 of them; melodies lie
// between keys 60 and 79 (rows 62..43), where a top line would.
std::string dataFor(int type, std::mt19937& draw) {
  std::string data;
  char token[16];
  for (int i = 0; i < 256; ++i) {
    unsigned value;
    if (type <= 3) {
      value = draw() % 5 == 0 ? (1u + draw() % 4) << 18 : ((43u + draw() % 20) << 10) | ((127u - (1u + draw() % 8)) << 2);
    } else if (type == 4) {
      value = draw() % 2 ? 0 : (1u << (draw() % 24)) | (1u << (draw() % 12));
    } else {
      value = draw() % 3 ? 0xF0 : 0xF0 ^ (0x11u << (draw() % 4));
    }
    std::snprintf(token, sizeof token, "%x+", value);
    data += token;
  }
  return data;
}

std::string target(int type, int genre, const std::string& data) {
  return "/gen?type=" + std::to_string(type) + "&genre=" + std::to_string(genre) + "&len=256&data=" + data;
}

bool looksRight(const Reply& reply, bool bad) {
  if (bad) return reply.status == 400 && reply.body.rfind("ty", 0) == 0;
  return reply.status == 200 && std::count(reply.body.begin(), reply.body.end(), '.') == 5;
}

double percentile(std::vector<double> values, double p) {
  std::sort(values.begin(), values.end());
  return values[static_cast<std::size_t>(p * (values.size() - 1))];
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: bench_server_load PORT [per-type] [load requests] [clients] [seconds]\n");
    return 2;
  }
  const int port = std::atoi(argv[1]);
  const int perType = argc > 2 ? std::atoi(argv[2]) : 200;
  const int loadRequests = argc > 3 ? std::atoi(argv[3]) : 4000;
  const int clients = argc > 4 ? std::atoi(argv[4]) : 8;
  const double seconds = argc > 5 ? std::atof(argv[5]) : 20.0;

  // The first genre of each type, from the server's own list.
  const Reply list = get(port, "/genre");
  if (list.status != 200) {
    std::fprintf(stderr, "no server answers on port %d\n", port);
    return 1;
  }
  int genres[6] = {};
  for (int type = 0, at = 0; type < 6 && at < static_cast<int>(list.body.size()); ++type) {
    genres[type] = std::atoi(list.body.c_str() + at);
    const std::size_t blank = list.body.find(' ', at);
    at = blank == std::string::npos ? static_cast<int>(list.body.size()) : static_cast<int>(blank) + 1;
  }

  std::mt19937 draw(12345);
  bool allRight = true;
  if (perType > 0) std::printf("latency, %d sequential requests per type, 256 tokens each:\n", perType);
  for (int type = 0; type < 6 && perType > 0; ++type) {
    std::vector<double> ms;
    for (int i = 0; i < perType; ++i) {
      const std::string request = target(type, genres[type], dataFor(type, draw));
      const auto start = Clock::now();
      const Reply reply = get(port, request);
      ms.push_back(std::chrono::duration<double, std::milli>(Clock::now() - start).count());
      allRight = allRight && looksRight(reply, false);
    }
    std::printf("  type %d: median %.2f ms, p95 %.2f ms, max %.2f ms\n", type, percentile(ms, 0.5),
                percentile(ms, 0.95), percentile(ms, 1.0));
  }

  std::vector<std::string> good, bad;
  for (int i = 0; i < 60; ++i) good.push_back(target(i % 6, genres[i % 6], dataFor(i % 6, draw)));
  bad = {"/gen?type=7&genre=0&len=0&data=", "/gen?type=0&genre=0&len=3&data=f9ec+", "/gen?type=1&genre=0&len=1&data=zz+",
         "/nowhere", "/gen?type=0&genre=99999&len=0&data=", "/gen?type=2&len=0&data="};
  std::atomic<int> next{0}, wrong{0}, sent{0};
  const auto start = Clock::now();
  const auto deadline = start + std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double>(seconds));
  std::vector<std::thread> threads;
  for (int c = 0; c < clients; ++c) {
    threads.emplace_back([&] {
      for (int i; (i = next++) < loadRequests && Clock::now() < deadline;) {
        const bool isBad = i % 10 == 9;
        const Reply reply = get(port, isBad ? bad[i % bad.size()] : good[i % good.size()]);
        if (!looksRight(reply, isBad)) ++wrong;
        ++sent;
      }
    });
  }
  for (std::thread& t : threads) t.join();
  const double elapsed = std::chrono::duration<double>(Clock::now() - start).count();
  std::printf("throughput, %d clients, %d requests (one in ten bad) in %.2f s: %.0f requests/s, %d wrong answers\n",
              clients, sent.load(), elapsed, sent.load() / elapsed, wrong.load());
  if (!allRight) std::printf("some latency requests were not answered with five candidates\n");
  return wrong.load() == 0 && allRight ? 0 : 1;
}
