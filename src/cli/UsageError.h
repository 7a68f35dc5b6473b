#pragma once
// Bad arguments: the command's usage line on stderr and exit code 2.
#include <iostream>
#include <string>

#include "cli/Command.h"

namespace quorvel::cli {

inline int usageError(const std::string& name) {
  for (const Command& c : registry())
    if (c.name == name) std::cerr << "usage: quorvel-cli " << c.usage << "\n";
  return 2;
}

}  // namespace quorvel::cli
