#pragma once
// Learning schedules for a list of files, on several threads, written in
// list order.
#include <string>
#include <vector>

#include "learning/BatchReport.h"
#include "learning/ScheduleConverter.h"

namespace quorvel {

// `outputs` holds outputCount(type) paths; each is created (truncated) before
// any input is read. Files that cannot be read are reported and skipped.
BatchResult writeScheduleFiles(LearningType type, const std::vector<std::string>& outputs,
                               const std::vector<std::string>& inputs, unsigned jobs, const BatchObserver& observer);

}  // namespace quorvel
