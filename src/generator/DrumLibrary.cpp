#include "generator/DrumLibrary.h"

#include <fstream>
#include <sstream>
#include <string_view>

namespace quorvel {

namespace {

constexpr std::array<std::string_view, kDrumLanes> kLaneNames{
    "tamb", "clap", "crash", "ride", "ohat", "chat", "stick", "htom", "mtom", "ltom", "snare", "kick"};

// Lane 1..12 of a name, or 0.
int laneOfName(std::string_view name) {
  for (std::size_t i = 0; i < kLaneNames.size(); ++i) {
    if (kLaneNames[i] == name) return static_cast<int>(i) + 1;
  }
  return 0;
}

std::string_view trimmed(std::string_view s) {
  const auto first = s.find_first_not_of(" \t\r");
  if (first == std::string_view::npos) return {};
  const auto last = s.find_last_not_of(" \t\r");
  return s.substr(first, last - first + 1);
}

class Parser {
 public:
  Parser(std::string sourceName, std::string& error) : source_(std::move(sourceName)), error_(error) {}

  bool line(std::string_view text) {
    ++lineNumber_;
    const std::string_view t = trimmed(text);
    if (t.empty() || t.front() == '#') return true;
    const auto space = t.find_first_of(" \t");
    const std::string_view head = t.substr(0, space);
    const std::string_view rest = space == std::string_view::npos ? std::string_view{} : trimmed(t.substr(space));
    if (head == "pattern") return startPattern(rest);
    return laneLine(head, rest);
  }

  bool finish() {
    if (!closePattern()) return false;
    if (patterns_.size() != static_cast<std::size_t>(kDrumPatternCount)) {
      return fail(source_ + ": " + std::to_string(patterns_.size()) + " patterns, expected " +
                  std::to_string(kDrumPatternCount));
    }
    return true;
  }

  std::vector<DrumPattern>& patterns() { return patterns_; }

 private:
  bool fail(std::string message) {
    error_ = std::move(message);
    return false;
  }
  bool failHere(const std::string& message) {
    return fail(source_ + ":" + std::to_string(lineNumber_) + ": " + message);
  }

  bool startPattern(std::string_view rest) {
    if (!closePattern()) return false;
    const std::string_view number = rest.substr(0, rest.find_first_of(" \t"));
    const std::string expected = std::to_string(patterns_.size() + 1);
    if (number != expected) return failHere("pattern number \"" + std::string(number) + "\", expected " + expected);
    patterns_.push_back({});
    lanesSeen_ = 0;
    open_ = true;
    return true;
  }

  bool closePattern() {
    if (open_ && lanesSeen_ == 0) {
      return fail(source_ + ": pattern " + std::to_string(patterns_.size()) + " has no lanes");
    }
    open_ = false;
    return true;
  }

  bool laneLine(std::string_view name, std::string_view steps) {
    const int lane = laneOfName(name);
    if (lane == 0) return failHere("unknown lane \"" + std::string(name) + "\"");
    if (!open_) return failHere("lane line before the first \"pattern\" line");
    const std::uint32_t laneMask = 1u << lane;
    if (lanesSeen_ & laneMask) return failHere("lane \"" + std::string(name) + "\" given twice");
    lanesSeen_ |= laneMask;
    DrumPattern& pattern = patterns_.back();
    int step = 0;
    for (char c : steps) {
      if (c == '|' || c == ' ') continue;
      if (c != '.' && c != 'x' && c != 'X') {
        return failHere(std::string("step character '") + c + "' (use '.', 'x' or 'X')");
      }
      if (step < kDrumPatternSteps) {
        if (c == 'x') pattern[static_cast<std::size_t>(step)] |= hitBit(lane);
        if (c == 'X') pattern[static_cast<std::size_t>(step)] |= accentBit(lane);
      }
      ++step;
    }
    if (step != kDrumPatternSteps) {
      return failHere("lane \"" + std::string(name) + "\" has " + std::to_string(step) + " steps, expected " +
                      std::to_string(kDrumPatternSteps));
    }
    return true;
  }

  std::string source_;
  std::string& error_;
  std::vector<DrumPattern> patterns_;
  int lineNumber_ = 0;
  std::uint32_t lanesSeen_ = 0;
  bool open_ = false;
};

}  // namespace

int parseDrumLibrary(const std::string& text, const std::string& sourceName, DrumLibrary& library,
                     std::string& error) {
  Parser parser(sourceName, error);
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) {
    if (!parser.line(line)) return -1;
  }
  if (!parser.finish()) return -1;
  library.patterns = std::move(parser.patterns());
  return 0;
}

int loadDrumLibrary(const std::filesystem::path& file, DrumLibrary& library, std::string& error) {
  std::ifstream in(file, std::ios::binary);
  if (!in) {
    error = file.string() + ": the drum pattern library could not be opened";
    return -1;
  }
  std::ostringstream text;
  text << in.rdbuf();
  return parseDrumLibrary(text.str(), file.string(), library, error);
}

std::filesystem::path findDrumLibrary(const std::filesystem::path& executableDir) {
  const auto candidate = executableDir / ".." / "share" / "quorvel" / "drums" / "patterns.txt";
  std::error_code ec;
  return std::filesystem::is_regular_file(candidate, ec) ? candidate : std::filesystem::path{};
}

}  // namespace quorvel
