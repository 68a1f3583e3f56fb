#include "sweep/local_run.h"

#include <algorithm>
#include <atomic>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace substitute_host::sweep {

std::uint64_t runAllLocally(const Plan& plan, const RunSetup& setup, unsigned workers,
                            const RunsDone& progress, std::ostream& err) {
  // Runs are handed out one at a time rather than a task at a time, so that the
  // workers stay busy to the end; each run's part is the same either way.
  std::atomic<std::uint64_t> next{0};
  std::mutex reporting;
  std::uint64_t done = 0, unwritten = 0;
  std::atomic<bool> interrupted{false};
  const auto work = [&] {
    for (std::uint64_t index; !interrupted && (index = next.fetch_add(1)) < plan.runs;) {
      const PartWrite written = runAndWritePart(plan, setup, index);
      const std::lock_guard<std::mutex> lock(reporting);
      ++done;
      if (!written.error.empty()) {
        ++unwritten;
        err << "sweep local: no part of run " << index << " written: " << written.error << '\n';
      }
      // A run stopped from outside stops the sweep: no new run is started.
      if (written.interrupted) interrupted = true;
      if (progress) progress(done, plan.runs);
    }
  };
  std::vector<std::thread> threads;
  const unsigned count = static_cast<unsigned>(
      std::min<std::uint64_t>(std::max(1u, workers), std::max<std::uint64_t>(plan.runs, 1)));
  for (unsigned w = 1; w < count; ++w) threads.emplace_back(work);
  work();
  for (std::thread& thread : threads) thread.join();
  return unwritten;
}

}  // namespace substitute_host::sweep
