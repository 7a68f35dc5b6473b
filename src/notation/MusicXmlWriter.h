#pragma once
// Writes a notation layout as a MusicXML 3.1 partwise document.
#include <string>

#include "notation/NotationLayout.h"

namespace quorvel::notation {

std::string musicXmlOf(const NotationLayout& layout);

}  // namespace quorvel::notation
