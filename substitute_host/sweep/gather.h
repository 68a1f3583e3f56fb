#pragma once

#include <cstdint>
#include <filesystem>
#include <ostream>
#include <string>

#include "sweep/plan.h"

namespace substitute_host::sweep {

inline constexpr int kGatherComplete = 0;
inline constexpr int kGatherWriteFailed = 1;
inline constexpr int kGatherRunsMissing = 3;

struct GatherRequest {
  std::filesystem::path folder;  // absolute, as the rerun commands name it
  std::string tool = "corvalent2";  // as the rerun commands name it
  bool partial = false;  // write the table even while runs are missing
};

// Reads every run's part and writes DIR/summary.csv and DIR/summary.mat: one row per
// run, its index, its varied values, its status and its figures. A run whose part is
// missing or unreadable is never counted: it is listed on err with the commands that
// rerun its task, and the tables are written only with `partial` (the run's status then
// "missing"). Failed runs are results, listed on err too. kGatherRunsMissing while any
// run is missing, kGatherWriteFailed when a table could not be written.
int gatherSweep(const Plan& plan, const GatherRequest& request, std::ostream& out,
                std::ostream& err);

#ifdef CORVALENT2_SWEEP_MAT_SUMMARY
inline constexpr bool kWritesMatSummary = true;
#else
inline constexpr bool kWritesMatSummary = false;  // a build without libmatio
#endif

inline const char* const kSummaryCsvFile = "summary.csv";
inline const char* const kSummaryMatFile = "summary.mat";

}  // namespace substitute_host::sweep
