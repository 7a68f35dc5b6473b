#pragma once
// The texts of the Options window, "Choose Learning Type" and the "MIDI Input"
// menu, in English and Japanese: the dialog resources of the two languages.
#include <string>
#include <string_view>

namespace quorvel {

// The text in the user's language (0 English, 1 Japanese); texts without a
// Japanese twin here come from the message catalogue.
std::string dialogText(std::string_view english, int language);

}  // namespace quorvel
