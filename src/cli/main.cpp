#include <iostream>

#include "cli/Command.h"

namespace quorvel::cli {

std::vector<Command>& registry() {
  static std::vector<Command> commands;
  return commands;
}

Registration::Registration(std::string name, std::string usage, Handler run) {
  registry().push_back({std::move(name), std::move(usage), std::move(run)});
}

namespace {

int printUsage(std::ostream& out) {
  out << "usage: quorvel-cli COMMAND [ARGS...]\n\ncommands:\n";
  for (const Command& c : registry()) out << "  " << c.usage << "\n";
  return 2;
}

}  // namespace
}  // namespace quorvel::cli

int main(int argc, char** argv) {
  using namespace quorvel::cli;
  if (argc < 2) return printUsage(std::cerr);
  const std::string name = argv[1];
  if (name == "help" || name == "--help" || name == "-h") {
    printUsage(std::cout);
    return 0;
  }
  for (const Command& c : registry()) {
    if (c.name == name) return c.run(Args(argv + 2, argv + argc));
  }
  std::cerr << "quorvel-cli: unknown command \"" << name << "\"\n";
  return printUsage(std::cerr);
}
