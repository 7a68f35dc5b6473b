#include "server/Training.h"

#include <filesystem>

#include "base/FileIo.h"
#include "server/ModelFile.h"
#include "server/ScheduleFile.h"

namespace quorvel::server {

TrainingPairs readTrainingPairs(int type, const std::vector<std::string>& schedules) {
  TrainingPairs result;
  const bool paired = shapeOf(type) != Shape::Continuation;
  if (schedules.size() != (paired ? 2u : 1u)) {
    result.error = "type " + std::to_string(type) + (paired ? " learns from a source and a target schedule"
                                                            : " learns from one schedule");
    return result;
  }
  std::vector<std::vector<TokenLine>> files;
  for (const std::string& path : schedules) {
    ScheduleRead read = readScheduleFile(path);
    if (!read.error.empty()) {
      result.error = read.error;
      return result;
    }
    files.push_back(std::move(read.sentences));
  }
  if (paired && files[0].size() != files[1].size()) {
    result.error = schedules[0] + " holds " + std::to_string(files[0].size()) + " sentences but " + schedules[1] +
                   " holds " + std::to_string(files[1].size()) + "; their lines must pair up";
    return result;
  }
  for (std::size_t i = 0; i < files.back().size(); ++i)
    result.pairs.push_back({paired ? files[0][i] : TokenLine{}, files.back()[i]});
  return result;
}

bool isValidModelName(const std::string& name) {
  if (name.empty() || name.size() > 48 || (name[0] >= '0' && name[0] <= '9')) return false;
  for (char c : name)
    if (!(std::isalnum(static_cast<unsigned char>(c)) || c == '_' || c == '-')) return false;
  return true;
}

std::string trainModelFile(const TrainRequest& request, std::string& writtenPath) {
  if (request.type < 0 || request.type > 5) return "--type must be 0..5";
  if (!isValidModelName(request.name))
    return "--name \"" + request.name + "\": use letters, digits, '_' or '-', starting with a letter";
  TrainingPairs data = readTrainingPairs(request.type, request.schedules);
  if (!data.error.empty()) return data.error;
  std::size_t tokens = 0;
  for (const SentencePair& pair : data.pairs) tokens += pair.target.size();
  if (tokens == 0) return "the schedules hold no tokens to learn from";

  const int order = request.order > 0 ? request.order : defaultOrder(request.type);
  NamedModel model{request.genre, request.name,
                   LineModel::train(request.type, shapeOf(request.type), order, data.pairs)};
  std::error_code ec;
  std::filesystem::create_directories(request.modelsFolder, ec);
  writtenPath = (std::filesystem::path(request.modelsFolder) / modelFileName(request.type, model)).string();
  if (!replaceFileContents(writtenPath, encodeModelFile(model))) return writtenPath + ": cannot be written";
  return {};
}

}  // namespace quorvel::server
