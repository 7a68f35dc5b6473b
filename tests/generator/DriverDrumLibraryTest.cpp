#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <utility>
#include <vector>

#include "generator/DrumLibrary.h"

namespace quorvel {
namespace {

std::string shippedText() {
  std::ifstream in(std::filesystem::path(QUORVEL_SOURCE_DIR) / "data" / "drums" / "patterns.txt");
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

// Each fault is reported with where it lies, and the library is left as it was.
TEST(DriverDrumLibrary, ErrorsAreReportedWithTheLineAndLeaveTheLibraryAlone) {
  const struct {
    const char *find, *replace, *expectedError;
  } edits[] = {{"kick  X.XX....X.XX....|", "kick  X.XX....X.XX...|", "has 63 steps, expected 64"},
               {"ohat  xxxx", "ohat  xxxo", "step character 'o'"},
               {"ohat  xxxx", "hihat xxxx", "unknown lane \"hihat\""},
               {"pattern 294 ", "# pattern 294 ", "given twice"}};
  std::vector<std::pair<std::string, std::string>> texts;
  for (const auto& e : edits) {
    std::string text = shippedText();
    const auto at = text.find(e.find);
    ASSERT_NE(at, std::string::npos) << e.find;
    texts.emplace_back(text.replace(at, std::string(e.find).size(), e.replace), e.expectedError);
  }
  texts.emplace_back("pattern 1 one\nkick " + std::string(64, 'X') + "\n", "1 patterns, expected 294");
  texts.emplace_back("pattern 1 silent\npattern 2 x\n", "pattern 1 has no lanes");
  for (const auto& [text, expectedError] : texts) {
    DrumLibrary library;
    library.patterns.resize(1);
    std::string error;
    EXPECT_EQ(parseDrumLibrary(text, "patterns.txt", library, error), -1);
    EXPECT_NE(error.find(expectedError), std::string::npos) << error;
    EXPECT_EQ(library.patterns.size(), 1u);
  }
  DrumLibrary library;
  std::string error;
  EXPECT_EQ(loadDrumLibrary("/nonexistent/patterns.txt", library, error), -1);
  EXPECT_NE(error.find("could not be opened"), std::string::npos) << error;
}

}  // namespace
}  // namespace quorvel
