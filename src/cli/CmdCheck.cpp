// quorvel-cli check: the voice-leading rules the parts of a MIDI file break,
// one line each; the exit code says whether any was found.
#include <CLI/CLI.hpp>
#include <iostream>
#include <memory>
#include <optional>

#include "cli/Command.h"
#include "cli/SongLoading.h"
#include "model/Score.h"
#include "tools/VoiceLeading.h"

namespace quorvel::cli {
namespace {

struct CheckOptions {
  std::string path;
  std::optional<int> voices;
};

void runCheck(const CheckOptions& o) {
  auto score = std::make_unique<Score>();
  // The parts must come in as the file's tracks, not merged into one.
  setFileOption(*score, kReadFormat0, false);
  ConsoleUi ui;
  try {
    openSong(*score, ui, o.path);
  } catch (const CommandFailed& e) {
    throw CommandFailed(e.what(), kExitUsage);
  }
  const int inUse = voicesInUse(*score);
  if (inUse == 0) throw CommandFailed(o.path + ": no notes in the four parts", kExitUsage);
  const auto findings = checkVoiceLeading(*score, o.voices.value_or(inUse));
  for (const VoiceFinding& f : findings) std::cout << findingLine(f, 0) << "\n";
  if (!findings.empty())
    throw CommandFailed(o.path + ": " + std::to_string(findings.size()) + " places break a rule");
}

void addCheck(CLI::App& cli) {
  CLI::App* cmd = cli.add_subcommand(
      "check",
      "List the voice-leading rules the parts of a MIDI file break, one a line (\"bar B beat b: voices: rule\"); "
      "exit 0 when none is broken, 1 when some are, 2 on bad usage or an unreadable file");
  auto o = std::make_shared<CheckOptions>();
  cmd->add_option("FILE", o->path, "the MIDI file")->required();
  cmd->add_option("--voices", o->voices,
                  "check the top N parts from the Soprano down, the lowest of them as the bass "
                  "(default: down to the lowest part with notes)")
      ->check(CLI::Range(1, 4));
  cmd->callback([o] { runCheck(*o); });
}

const Registration kCheck(addCheck);

}  // namespace
}  // namespace quorvel::cli
