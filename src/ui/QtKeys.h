#pragma once
// Key events of Qt in the platform-neutral form of the command table.
#include <QKeyEvent>

#include "app/KeyChord.h"

namespace quorvel {

KeyChord toKeyChord(const QKeyEvent& event);

}  // namespace quorvel
