#pragma once
// The message catalogue: every user-visible text is written in English in the
// code and looked up here for its Japanese twin when `language` is 1.
#include <string>
#include <string_view>

namespace quorvel {

// The text in the given language (0 English, 1 Japanese). A text without a
// twin is shown in English.
std::string localized(std::string_view english, int language);
bool hasJapaneseTwin(std::string_view english);

}  // namespace quorvel
