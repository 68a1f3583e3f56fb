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
  const auto work = [&] {
    for (std::uint64_t index; (index = next.fetch_add(1)) < plan.runs;) {
      const std::string why = runAndWritePart(plan, setup, index);
      const std::lock_guard<std::mutex> lock(reporting);
      ++done;
      if (!why.empty()) {
        ++unwritten;
        err << "sweep local: the part of run " << index << " could not be written: " << why << '\n';
      }
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
