// Turning learning-schedule files into a model file.
#pragma once

#include <string>
#include <vector>

#include "server/LineModel.h"

namespace quorvel::server {

// Continuation types read one schedule; paired types a source schedule and a
// target schedule whose lines are aligned. Empty error on success.
struct TrainingPairs {
  std::vector<SentencePair> pairs;
  std::string error;
};
TrainingPairs readTrainingPairs(int type, const std::vector<std::string>& schedules);

// A name that the client's genre lists can carry: letters, digits, '_' and
// '-', not starting with a digit (the client reads the genre number from the
// digits at the front of the entry).
bool isValidModelName(const std::string& name);

struct TrainRequest {
  int type = 0;
  int genre = 0;
  std::string name;
  std::vector<std::string> schedules;
  std::string modelsFolder;
  int order = 0;  // 0: the type's default
};
// Writes the model file; returns the problem, or an empty string.
std::string trainModelFile(const TrainRequest& request, std::string& writtenPath);

}  // namespace quorvel::server
