#include "sweep/gather.h"

#include <limits>
#include <vector>

#include "sweep/part_file.h"
#include "sweep/sbatch_script.h"
#include "sweep/summary_tables.h"
#include "text/display_text.h"

namespace substitute_host::sweep {

namespace {

namespace fs = std::filesystem;

// A path as a shell command line takes it: as it is when a shell would read every byte
// of it literally, else quoted.
std::string shellWord(const std::string& path) {
  return slurmPathProblem(path).empty() ? path : shellQuoted(path);
}

struct Collected {
  GatheredRuns runs;
  std::vector<std::uint64_t> missingTasks;  // ascending, each once
  std::uint64_t missing = 0, failed = 0;
};

void noteMissing(const Plan& plan, std::uint64_t index, Collected& c) {
  ++c.missing;
  const std::uint64_t task = taskOfRun(plan, index);
  if (c.missingTasks.empty() || c.missingTasks.back() != task) c.missingTasks.push_back(task);
}

Collected collect(const Plan& plan, const fs::path& parts, std::ostream& err) {
  Collected c;
  for (std::uint64_t index = 0; index < plan.runs; ++index) {
    PartRead read = readPart(parts, index);
    if (read.state == PartState::present) {
      if (!read.part.ok()) {
        ++c.failed;
        err << "sweep gather: run " << index << " failed: " << displayText(read.part.status, 500)
            << '\n';
      }
      c.runs.push_back(std::move(read.part));
      continue;
    }
    if (read.state == PartState::missing) {
      err << "sweep gather: run " << index << " is missing: no part " << partFileName(index) << '\n';
    } else {
      err << "sweep gather: run " << index << " is missing: its part " << partFileName(index)
          << " is unreadable (" << displayText(read.why, 300) << ") and not counted\n";
    }
    noteMissing(plan, index, c);
    RunPart absent;
    absent.index = index;
    absent.status = "missing";
    absent.figures.fill(std::numeric_limits<double>::quiet_NaN());
    c.runs.push_back(std::move(absent));
  }
  return c;
}

// Task ids as sbatch --array takes them: three or more in a row as a range, "0,2,5-9".
std::string arrayList(const std::vector<std::uint64_t>& tasks) {
  std::string list;
  for (std::size_t i = 0; i < tasks.size();) {
    std::size_t last = i;
    while (last + 1 < tasks.size() && tasks[last + 1] == tasks[last] + 1) ++last;
    if (!list.empty()) list += ',';
    list += std::to_string(tasks[i]);
    if (last >= i + 2) {
      list += '-' + std::to_string(tasks[last]);
    } else if (last == i + 1) {
      list += ',' + std::to_string(tasks[last]);
    }
    i = last + 1;
  }
  return list;
}

void printReruns(const Collected& c, const GatherRequest& request, std::ostream& err) {
  const std::string list = arrayList(c.missingTasks);
  const std::string dir = request.folder.string();
  err << "sweep gather: " << c.missing << " of " << c.runs.size()
      << " runs are missing; rerun the tasks that hold them on the cluster with\n"
      << "  sbatch --array=" << list << ' ' << shellWord(dir + "/sweep.sbatch") << '\n'
      << "or here, task by task, with\n";
  for (const std::uint64_t task : c.missingTasks)
    err << "  " << shellWord(request.tool) << " sweep run " << shellWord(dir) << " --task " << task
        << '\n';
}

}  // namespace

int gatherSweep(const Plan& plan, const GatherRequest& request, std::ostream& out,
                std::ostream& err) {
  const Collected c = collect(plan, request.folder / kPartsFolder, err);
  if (c.missing > 0) printReruns(c, request, err);
  if (c.missing > 0 && !request.partial) return kGatherRunsMissing;
  const fs::path csv = request.folder / kSummaryCsvFile, mat = request.folder / kSummaryMatFile;
  std::string why = writeTextFile(csv.string(), summaryCsvText(plan, c.runs));
  if (!why.empty()) {
    err << "sweep gather: writing " << displayText(csv.string(), 200) << " failed: " << why << '\n';
    return kGatherWriteFailed;
  }
  if (kWritesMatSummary) why = writeSummaryMat(mat.string(), plan, c.runs);
  if (!why.empty()) {
    err << "sweep gather: writing " << displayText(mat.string(), 200) << " failed: " << why << '\n';
    return kGatherWriteFailed;
  }
  out << "Gathered " << c.runs.size() - c.missing << " of " << c.runs.size() << " runs ("
      << c.failed << " failed) into " << displayText(csv.string(), 200)
      << (kWritesMatSummary ? " and summary.mat" : " (no summary.mat: built without libmatio)")
      << '\n';
  return c.missing > 0 ? kGatherRunsMissing : kGatherComplete;
}

}  // namespace substitute_host::sweep
