// quorvel-cli: the core without windows, one sub-command per file
// (see Command.h for the exit codes and the error form).
#include <CLI/CLI.hpp>
#include <iostream>

#include "cli/Command.h"

namespace quorvel::cli {

std::vector<AddCommand>& registry() {
  static std::vector<AddCommand> commands;
  return commands;
}

Registration::Registration(AddCommand add) { registry().push_back(std::move(add)); }

namespace {

// The sub-command being run, for the error line; the program's name before one was parsed.
std::string commandName(const CLI::App& cli) {
  const auto parsed = cli.get_subcommands();
  return parsed.empty() ? cli.get_name() : cli.get_name() + " " + parsed.front()->get_name();
}

int usageError(const CLI::App& cli, const CLI::ParseError& e) {
  std::cerr << commandName(cli) << ": " << e.what() << "\n"
            << "Run \"" << commandName(cli) << " --help\" for more information.\n";
  return kExitUsage;
}

}  // namespace
}  // namespace quorvel::cli

int main(int argc, char** argv) {
  using namespace quorvel::cli;
  CLI::App cli{"Quorvel without windows: reads, writes, analyses, generates and renders songs.", "quorvel-cli"};
  cli.require_subcommand(1);
  for (const AddCommand& add : registry()) add(cli);
  try {
    cli.parse(argc, argv);
  } catch (const CLI::ParseError& e) {
    // --help arrives as a parse error that is not one.
    return e.get_exit_code() == 0 ? cli.exit(e) : usageError(cli, e);
  } catch (const CommandFailed& e) {
    std::cerr << commandName(cli) << ": " << e.what() << "\n";
    return e.exitCode();
  }
  return kExitDone;
}
