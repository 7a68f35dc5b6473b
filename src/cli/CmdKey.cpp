// quorvel-cli key: the detected key of a MIDI file, as the status bar shows it.
#include <CLI/CLI.hpp>
#include <iostream>
#include <memory>

#include "cli/Command.h"
#include "cli/SongLoading.h"
#include "model/Score.h"
#include "tools/KeyTools.h"

namespace quorvel::cli {
namespace {

void runKey(const std::string& path) {
  Score score;
  ConsoleUi ui;
  ReadOptions options;
  options.merged = true;
  readSong(score, ui, path, options);
  const auto key = detectKey(score, ui, false);
  if (!key) throw CommandFailed(path + ": no melody notes");
  std::cout << keyStatusText(*key) << "\n";
}

void addKey(CLI::App& cli) {
  CLI::App* cmd = cli.add_subcommand("key", "Print the detected key of a MIDI file, as the status bar shows it");
  auto path = std::make_shared<std::string>();
  cmd->add_option("FILE", *path, "the MIDI file")->required();
  cmd->callback([path] { runKey(*path); });
}

const Registration kKey(addKey);

}  // namespace
}  // namespace quorvel::cli
