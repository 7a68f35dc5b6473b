#include <filesystem>
#include <string>

#include "app/AppContext.h"
#include "app/CommandIds.h"
#include "app/SpineCommands.h"
#include "app/Version.h"

namespace quorvel {

namespace {

int openHelpPage(AppContext& app, int) {
  const char* page = app.score.settings.general.language == 1 ? "help_ja.html" : "help_en.html";
  const auto path = std::filesystem::absolute(app.programDir / ".." / "share" / "quorvel" / "help" / page);
  app.ui.openUrl("file://" + path.generic_string());
  return 0;
}

int showVersion(AppContext& app, int) {
  app.ui.messageBox(std::string("Quorvel ") + kVersion, "Quorvel", MsgIcon::Information, MsgButtons::Ok);
  return 0;
}

}  // namespace

void bindHelpCommands(CommandTable& table) {
  table.bind(cmd::kHelp, openHelpPage);
  table.bind(cmd::kVersion, showVersion);
}

}  // namespace quorvel
