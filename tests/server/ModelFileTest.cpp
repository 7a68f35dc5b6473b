#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "TinyCorpus.h"
#include "base/FileIo.h"
#include "server/ModelStore.h"
#include "server/Training.h"

namespace quorvel::server {
namespace {

namespace fs = std::filesystem;

std::vector<std::uint8_t> bytesOf(const fs::path& path) { return *readWholeFile(path.string()); }

void writeBytes(const fs::path& path, const std::vector<std::uint8_t>& bytes) {
  std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), bytes.size());
}

TEST(ModelStore, RoundTripsAFileRefusesBadFilesByNameAndLoadsTheRest) {
  test::TinyModels tiny;
  NamedModel model;
  ASSERT_EQ(decodeModelFile(bytesOf(tiny.folder() / "type1-3sixths.qvm"), model), "");
  EXPECT_EQ(encodeModelFile(model), bytesOf(tiny.folder() / "type1-3sixths.qvm"));

  const auto good = bytesOf(tiny.folder() / "type0-0scale.qvm");
  auto truncated = good;
  truncated.resize(good.size() / 2);
  writeBytes(tiny.folder() / "type0-1truncated.qvm", truncated);
  auto otherVersion = good;
  otherVersion[8] = 99;  // the version field follows the 8-byte magic
  writeBytes(tiny.folder() / "type0-2future.qvm", otherVersion);
  auto flipped = good;
  flipped[good.size() / 2] ^= 0x40;
  writeBytes(tiny.folder() / "type0-3flipped.qvm", flipped);
  writeBytes(tiny.folder() / "type0-4empty.qvm", {});
  writeBytes(tiny.folder() / "type0-5copy.qvm", good);  // genre 0 again

  ModelStore store;
  const auto problems = store.loadFolder(tiny.folder().string());
  ASSERT_EQ(problems.size(), 5u);
  const std::vector<std::pair<std::string, std::string>> expected{
      {"type0-1truncated.qvm", "truncated"}, {"type0-2future.qvm", "version 99"},
      {"type0-3flipped.qvm", "damaged"},     {"type0-4empty.qvm", "not a Quorvel model"},
      {"type0-5copy.qvm", "already has"}};
  for (std::size_t i = 0; i < expected.size(); ++i) {
    EXPECT_NE(problems[i].find(expected[i].first), std::string::npos) << problems[i];
    EXPECT_NE(problems[i].find(expected[i].second), std::string::npos) << problems[i];
  }
  EXPECT_EQ(store.size(), 6u);
  EXPECT_EQ(store.genreList(), "0scale,1walk 3sixths 0sixths  0beat 0kicks");
}

TEST(Training, RefusesUnusableInput) {
  test::TinyModels tiny;
  const auto one = tiny.writeSchedule("one.txt", {test::scaleCycle(4)});
  const auto two = tiny.writeSchedule("two.txt", {test::scaleCycle(4), test::scaleCycle(4)});
  std::ofstream(tiny.folder() / "broken.txt") << "f9ec zz .\n";
  const std::string folder = tiny.folder().string();
  const std::vector<std::pair<TrainRequest, std::string>> cases{
      {{1, 0, "pairs", {one.string(), two.string()}, folder, 0}, "must pair up"},
      {{1, 0, "pairs", {one.string()}, folder, 0}, "source and a target"},
      {{0, 0, "melody", {(tiny.folder() / "broken.txt").string()}, folder, 0}, "not a hexadecimal token"},
      {{0, 0, "9lives", {one.string()}, folder, 0}, "--name"},
      {{0, 0, "two words", {one.string()}, folder, 0}, "--name"},
  };
  for (const auto& [request, why] : cases) {
    std::string written;
    EXPECT_NE(trainModelFile(request, written).find(why), std::string::npos) << why;
  }
}

}  // namespace
}  // namespace quorvel::server
