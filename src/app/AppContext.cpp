#include "app/AppContext.h"

#include <ctime>

#include "app/LearningCommands.h"
#include "app/SaveChanges.h"
#include "app/SongCommands.h"
#include "app/SpineCommands.h"
#include "app/Wiring.h"

namespace quorvel {

AppContext::AppContext(Ui& userInterface) : ui(userInterface) {
  random.seed(static_cast<std::uint32_t>(std::time(nullptr)));
  bindSongCommands(commands);
  bindEditCommands(commands);
  bindPartCommands(commands);
  bindMarkerCommands(commands);
  bindHelpCommands(commands);
  bindWindowCommands(commands);
  bindViewCommands(commands);
  bindLearningCommands(commands);
  wireSubsystems(*this);
}

GenerationEnv AppContext::generationEnv() {
  return GenerationEnv{score, ui, random, generation, drumLibrary, [this] { return askSaveChanges(*this); },
                       steadyMilliseconds};
}

}  // namespace quorvel
