#include "app/SaveChanges.h"

#include <string>

#include "app/AppContext.h"
#include "app/CommandIds.h"
#include "app/SongTitle.h"
#include "base/Messages.h"
#include "base/TextFormat.h"

namespace quorvel {

int askSaveChanges(AppContext& app) {
  Score& s = app.score;
  if (!s.isModified()) return 0;
  const int language = s.settings.general.language;
  const std::string text = formatWithString(
      localized("\"%s\" has been modified.\nDo you want to Save changes?", language), songDisplayName(s));
  switch (app.ui.messageBox(text, "Quorvel", MsgIcon::Question, MsgButtons::YesNoCancel)) {
    case MsgAnswer::Yes: {
      // Save answers -2 only for an unmodified song, which cannot reach here.
      const Command* save = app.commands.find(cmd::kSave);
      if (!save || !save->action) return -1;
      return save->action(app, 0) == 0 ? 0 : -1;
    }
    case MsgAnswer::No: return 0;
    default: return -2;
  }
}

}  // namespace quorvel
