#include "TinyCorpus.h"

#include <fstream>
#include <random>

#include <gtest/gtest.h>

#include "server/Training.h"

namespace quorvel::test {
namespace {

constexpr int kScale[] = {60, 62, 64, 65, 67};

}  // namespace

TokenLine scaleCycle(std::size_t tokens, std::size_t phase) {
  TokenLine line;
  for (std::size_t i = 0; i < tokens; ++i) line.push_back(server::makeNote(kScale[(i + phase) % 5], 4));
  return line;
}

TokenLine topLine(std::size_t notes, unsigned recipe) {
  std::mt19937 draw(recipe);
  TokenLine line;
  for (std::size_t i = 0; i < notes; ++i) line.push_back(server::makeNote(kScale[draw() % 5] + 12, 4));
  return line;
}

TokenLine sixthBelow(const TokenLine& top) {
  TokenLine line;
  for (Token t : top) line.push_back(server::makeNote(server::noteKey(t) - 8, server::noteSteps(t)));
  return line;
}

TokenLine voiceSteps(std::size_t steps, unsigned recipe) {
  std::mt19937 draw(recipe);
  TokenLine line;
  for (std::size_t i = 0; i < steps; ++i) line.push_back(draw() % 3 == 0 ? 0x1 : 0x10);
  return line;
}

TokenLine kickOnOnsets(const TokenLine& voice) {
  TokenLine line;
  for (Token t : voice) line.push_back(t & 1 ? 0x800 : 0);
  return line;
}

TinyModels::TinyModels() {
  folder_ = std::filesystem::temp_directory_path() /
            ("quorvel-server-test-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "-" +
             std::to_string(std::random_device{}()));
  std::filesystem::create_directories(folder_);

  std::vector<TokenLine> melody, walks, tops, sixths, beats, voices, kicks;
  for (unsigned i = 0; i < 12; ++i) {
    melody.push_back(scaleCycle(40, i));
    walks.push_back(topLine(40, 100 + i));
    tops.push_back(topLine(24, i));
    sixths.push_back(sixthBelow(tops.back()));
    TokenLine beat;
    for (int bar = 0; bar < 16; ++bar) beat.insert(beat.end(), {0x801, 0, 0x1, 0x400});
    beats.push_back(beat);
    voices.push_back(voiceSteps(64, i));
    kicks.push_back(kickOnOnsets(voices.back()));
  }
  const auto file = [this](const char* name, const std::vector<TokenLine>& lines) {
    return writeSchedule(name, lines).string();
  };
  const std::string out = folder_.string();
  const std::vector<server::TrainRequest> requests{
      {0, 0, "scale", {file("melody.txt", melody)}, out, 0},
      {0, 1, "walk", {file("walks.txt", walks)}, out, 0},
      {1, 3, "sixths", {file("top.txt", tops), file("sixths.txt", sixths)}, out, 0},
      {2, 0, "sixths", {file("top.txt", tops), file("sixths.txt", sixths)}, out, 0},
      {4, 0, "beat", {file("beat.txt", beats)}, out, 0},
      {5, 0, "kicks", {file("voices.txt", voices), file("kicks.txt", kicks)}, out, 0},
  };
  for (const auto& request : requests) {
    std::string written;
    EXPECT_EQ(server::trainModelFile(request, written), "");
  }
}

TinyModels::~TinyModels() {
  std::error_code ec;
  std::filesystem::remove_all(folder_, ec);
}

std::filesystem::path TinyModels::writeSchedule(const std::string& name, const std::vector<TokenLine>& sentences) const {
  std::string text;
  for (const TokenLine& s : sentences) {
    for (Token t : s) {
      server::appendHex(text, t);
      text += ' ';
    }
    text += ".\n";
  }
  const auto path = folder_ / name;
  std::ofstream(path, std::ios::binary) << text;
  return path;
}

}  // namespace quorvel::test
