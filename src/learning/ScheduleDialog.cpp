#include "learning/ScheduleDialog.h"

#include <cstdio>
#include <memory>

#include "base/FileIo.h"
#include "base/Messages.h"
#include "base/Ui.h"
#include "model/Score.h"

namespace quorvel {

namespace {

class ScheduleFile {
 public:
  ~ScheduleFile() {
    if (file_) std::fclose(file_);
  }
  // Asks for a path and creates the file; false when cancelled or not created.
  bool ask(Ui& ui, int language) {
    const std::string path = ui.askSaveFileName(FileDialogRequest{});
    if (path.empty()) return false;
    file_ = std::fopen(path.c_str(), "wb");
    if (!file_)
      ui.messageBox(localized("File could not be created or opened", language), path, MsgIcon::Exclamation,
                    MsgButtons::Ok);
    return file_ != nullptr;
  }
  void append(const std::string& text) {
    if (!text.empty()) std::fwrite(text.data(), 1, text.size(), file_);
  }
  void close() {
    if (file_) std::fclose(file_);
    file_ = nullptr;
  }

 private:
  std::FILE* file_ = nullptr;
};

// Converts every file; `take` appends the texts wanted to the open files.
template <typename Take>
void convertEach(Ui& ui, int language, const std::vector<std::string>& files, LearningType type, Take take) {
  auto work = std::make_unique<Score>();
  for (const std::string& path : files) {
    const auto bytes = readWholeFile(path);
    ScheduleTexts texts;
    const char* failure = !bytes                                             ? "File could not be created or opened"
                          : convertToSchedule(*work, *bytes, type, texts) != 0 ? "Please check if the file is right"
                                                                              : nullptr;
    if (failure) ui.messageBox(localized(failure, language), path, MsgIcon::Exclamation, MsgButtons::Ok);
    else take(texts);
  }
}

}  // namespace

int convertLearningSchedules(Score& s, Ui& ui, const std::vector<std::string>& files, LearningType type) {
  const int language = s.settings.general.language;
  ScheduleFile first, second, third;
  if (!first.ask(ui, language)) return -1;
  if (type == LearningType::OnePart) {
    convertEach(ui, language, files, type, [&](const ScheduleTexts& t) { first.append(t.files[0]); });
    return 0;
  }
  if (!second.ask(ui, language)) return -1;
  convertEach(ui, language, files, type, [&](const ScheduleTexts& t) {
    first.append(t.files[0]);
    second.append(t.files[1]);
  });
  if (type != LearningType::Drums) return 0;
  second.close();
  if (!third.ask(ui, language)) return -1;
  convertEach(ui, language, files, type, [&](const ScheduleTexts& t) { third.append(t.files[2]); });
  return 0;
}

}  // namespace quorvel
