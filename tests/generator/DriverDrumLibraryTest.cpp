#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "generator/DrumLibrary.h"

namespace quorvel {
namespace {

std::string shippedText() {
  std::ifstream in(std::filesystem::path(QUORVEL_SOURCE_DIR) / "data" / "drums" / "patterns.txt");
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

struct BadLibrary {
  const char* find;
  const char* replace;
  const char* expectedError;
};

class DriverDrumLibraryErrors : public ::testing::TestWithParam<BadLibrary> {};

TEST_P(DriverDrumLibraryErrors, AreReportedWithTheLineAndLeaveTheLibraryAlone) {
  std::string text = shippedText();
  const BadLibrary& bad = GetParam();
  const auto at = text.find(bad.find);
  ASSERT_NE(at, std::string::npos);
  text.replace(at, std::string(bad.find).size(), bad.replace);
  DrumLibrary library;
  library.patterns.resize(1);
  std::string error;
  EXPECT_EQ(parseDrumLibrary(text, "patterns.txt", library, error), -1);
  EXPECT_NE(error.find(bad.expectedError), std::string::npos) << error;
  EXPECT_EQ(library.patterns.size(), 1u);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, DriverDrumLibraryErrors,
    ::testing::Values(BadLibrary{"kick  X.XX....X.XX....|", "kick  X.XX....X.XX...|", "has 63 steps, expected 64"},
                      BadLibrary{"ohat  xxxx", "ohat  xxxo", "step character 'o'"},
                      BadLibrary{"ohat  xxxx", "hihat xxxx", "unknown lane \"hihat\""},
                      BadLibrary{"pattern 294 ", "# pattern 294 ", "given twice"}));

TEST(DriverDrumLibrary, MissingPatternsAndEmptyPatternsAreErrors) {
  DrumLibrary library;
  std::string error;
  EXPECT_EQ(parseDrumLibrary("pattern 1 one\nkick " + std::string(64, 'X') + "\n", "p", library, error), -1);
  EXPECT_NE(error.find("1 patterns, expected 294"), std::string::npos) << error;
  EXPECT_EQ(parseDrumLibrary("pattern 1 silent\npattern 2 x\n", "p", library, error), -1);
  EXPECT_NE(error.find("pattern 1 has no lanes"), std::string::npos) << error;
  EXPECT_EQ(loadDrumLibrary("/nonexistent/patterns.txt", library, error), -1);
  EXPECT_NE(error.find("could not be opened"), std::string::npos) << error;
}

}  // namespace
}  // namespace quorvel
