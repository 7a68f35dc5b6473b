#include "server/ModelStore.h"

#include <algorithm>
#include <filesystem>

#include "base/FileIo.h"

namespace quorvel::server {

std::vector<std::string> ModelStore::loadFolder(const std::string& folder) {
  namespace fs = std::filesystem;
  std::vector<std::string> problems;
  std::error_code ec;
  if (!fs::is_directory(folder, ec)) return {folder + ": model folder not found"};
  std::vector<fs::path> files;
  for (const auto& entry : fs::directory_iterator(folder, ec))
    if (entry.path().extension() == kModelExtension) files.push_back(entry.path());
  std::sort(files.begin(), files.end());
  for (const fs::path& file : files) {
    const auto bytes = readWholeFile(file.string());
    NamedModel model;
    std::string problem = bytes ? decodeModelFile(*bytes, model) : "cannot be read";
    if (problem.empty()) add(model.line.type(), std::move(model), problem);
    if (!problem.empty()) problems.push_back(file.string() + ": " + problem);
  }
  return problems;
}

bool ModelStore::add(int type, NamedModel model, std::string& problem) {
  if (find(type, model.genre)) {
    problem = "type " + std::to_string(type) + " already has a model with genre " + std::to_string(model.genre);
    return false;
  }
  byType_[type].push_back(std::move(model));
  return true;
}

const NamedModel* ModelStore::find(int type, int genre) const {
  for (const NamedModel& m : byType_[type])
    if (m.genre == genre) return &m;
  return nullptr;
}

const NamedModel* ModelStore::findByName(int type, const std::string& name) const {
  for (const NamedModel& m : byType_[type])
    if (m.name == name) return &m;
  return nullptr;
}

std::size_t ModelStore::size() const {
  std::size_t n = 0;
  for (const auto& models : byType_) n += models.size();
  return n;
}

std::string ModelStore::genreList() const {
  std::string text;
  for (int type = 0; type < kRequestTypes; ++type) {
    if (type > 0) text += ' ';
    std::vector<const NamedModel*> models;
    for (const NamedModel& m : byType_[type]) models.push_back(&m);
    std::sort(models.begin(), models.end(), [](auto* a, auto* b) { return a->genre < b->genre; });
    for (std::size_t i = 0; i < models.size(); ++i)
      text += (i ? "," : "") + std::to_string(models[i]->genre) + models[i]->name;
  }
  return text;
}

}  // namespace quorvel::server
