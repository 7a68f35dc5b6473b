#include "app/LearningCommands.h"

#include "app/AppContext.h"
#include "app/CommandIds.h"
#include "app/SaveChanges.h"
#include "app/SongCommands.h"
#include "base/Messages.h"
#include "learning/FolderAnalysis.h"
#include "learning/RegulatedFormat.h"
#include "learning/ScheduleDialog.h"

namespace quorvel {

namespace {

std::vector<std::string> localizedAll(std::initializer_list<const char*> texts, int language) {
  std::vector<std::string> out;
  for (const char* t : texts) out.push_back(localized(t, language));
  return out;
}

FileListDialogRequest fileListDialog(const char* title, const char* group, std::initializer_list<const char*> choices,
                                     int language) {
  FileListDialogRequest r;
  r.title = localized(title, language);
  r.groupTitle = localized(group, language);
  r.choices = localizedAll(choices, language);
  r.deleteLabel = localized("Delete", language);
  r.clearLabel = localized("Clear", language);
  r.convertLabel = localized("Convert", language);
  r.closeLabel = localized("Close", language);
  return r;
}

bool generating(const AppContext& app) { return app.score.hasFlag(kFlagGenerating); }

int openScheduleConverter(AppContext& app, int) {
  auto dialog = fileListDialog("Convert midi to Learning Schedule", "Learning Type",
                               {"1 Part (0:1)", "2 Parts (1:1)", "3 Parts (2:1)", "4 Parts (3:1)", "Drums"},
                               app.score.language());
  dialog.convert = [&app](const std::vector<std::string>& files, int choice) {
    if (!generating(app)) convertLearningSchedules(app.score, app.ui, files, static_cast<LearningType>(choice));
  };
  app.ui.runFileListDialog(dialog);
  return 0;
}

// The radios run Soprano..Bass, the part numbers the other way.
int partOfRadio(int radio) { return kSopranoSet - radio; }

int openRegulatedConverter(AppContext& app, int) {
  auto dialog = fileListDialog("Convert midi to Regulated Format", "Key Part", {"Soprano", "Alto", "Tenor", "Bass"},
                               app.score.language());
  const int editPart = app.score.editPart();
  dialog.selected = editPart >= kBassSet && editPart <= kSopranoSet ? partOfRadio(editPart) : 0;
  dialog.convert = [&app](const std::vector<std::string>& files, int choice) {
    if (generating(app) || files.empty() || askSaveChanges(app) != 0) return;
    regulateFiles(app.score, app.ui, files, partOfRadio(choice));
    app.ui.redraw(RedrawTarget::All);
  };
  app.ui.runFileListDialog(dialog);
  return 0;
}

int analyseFolderCommand(AppContext& app, int) {
  const int answer = clearSongAfterQuestion(app, kNewSongMask);
  if (answer != 0) return answer;
  const int result = analyseFolder(app.score, app.ui);
  app.ui.redraw(RedrawTarget::All);
  return result;
}

}  // namespace

void bindLearningCommands(CommandTable& table) {
  table.bind(cmd::kConvertToLearningSchedule, openScheduleConverter);
  table.bind(cmd::kConvertToRegulatedFormat, openRegulatedConverter);
  table.bind(cmd::kAnalyseFolder, analyseFolderCommand);
}

}  // namespace quorvel
