#pragma once
// The notation program that prints our MusicXML (mscore3), run as a child
// process without a display and under a time limit.
#include <string>
#include <vector>

namespace quorvel::notation {

inline constexpr const char* kNotationProgram = "mscore3";

// The program's full path when it is on PATH; empty when it is not.
std::string findNotationProgram();

struct ProgramRun {
  bool started = false;
  bool timedOut = false;
  int exitCode = -1;  // -1: did not exit normally
  bool succeeded() const { return started && !timedOut && exitCode == 0; }
};

// Runs the program with the arguments, its output to `logPath` (or nowhere
// when empty), and kills it after `timeoutSeconds`.
ProgramRun runNotationProgram(const std::string& program, const std::vector<std::string>& args, int timeoutSeconds,
                              const std::string& logPath = "");

// Converts one file by its extensions (.musicxml to .pdf or .mid).
ProgramRun convertWithNotationProgram(const std::string& program, const std::string& in, const std::string& out,
                                      int timeoutSeconds);

}  // namespace quorvel::notation
