#pragma once
// Small hand-made learning schedules whose right continuation is known, and
// a folder of models trained from them.
#include <filesystem>
#include <string>
#include <vector>

#include "server/Token.h"

namespace quorvel::test {

using server::Token;
using server::TokenLine;

// C D E F G, a quarter (four steps) each, over and over.
TokenLine scaleCycle(std::size_t tokens, std::size_t phase = 0);
// A top line of quarters drawn from C5 D5 E5 F5 G5 by a fixed recipe.
TokenLine topLine(std::size_t notes, unsigned recipe);
// The answer the type 1 corpus teaches: a minor sixth under every note.
TokenLine sixthBelow(const TokenLine& top);
// Voice steps (onset or held) and the drums the type 5 corpus puts under them.
TokenLine voiceSteps(std::size_t steps, unsigned recipe);
TokenLine kickOnOnsets(const TokenLine& voice);

// A fresh folder holding schedules and the models trained from them:
// type 0 genre 0 "scale", type 0 genre 1 "walk" (top lines as melodies), type 1 genre 3 "sixths", type 2 genre 0 "sixths",
// type 4 genre 0 "beat", type 5 genre 0 "kicks".
class TinyModels {
 public:
  TinyModels();
  ~TinyModels();
  const std::filesystem::path& folder() const { return folder_; }
  std::filesystem::path writeSchedule(const std::string& name, const std::vector<TokenLine>& sentences) const;

 private:
  std::filesystem::path folder_;
};

}  // namespace quorvel::test
