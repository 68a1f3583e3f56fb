// Runs every benchmark, then prints the drive step's cost relative to its floor (the C
// library's trigonometry) and relative to the floor of the controller's own
// trigonometry, from the medians of the repeated runs.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <string>

namespace {

class MedianRecorder : public benchmark::ConsoleReporter {
 public:
  std::map<std::string, double> medians;  // benchmark name -> median real time (ns)

  void ReportRuns(const std::vector<Run>& runs) override {
    for (const Run& run : runs)
      if (run.run_type == Run::RT_Aggregate && run.aggregate_name == "median")
        medians[run.run_name.function_name] = run.GetAdjustedRealTime();
    ConsoleReporter::ReportRuns(runs);
  }
};
}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  MedianRecorder reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();
  const auto step = reporter.medians.find("BM_DriveStep");
  const auto floor = reporter.medians.find("BM_DriveStepFloor");
  const auto ownFloor = reporter.medians.find("BM_DriveStepOwnTrigFloor");
  if (step != reporter.medians.end() && floor != reporter.medians.end() && floor->second > 0)
    std::printf("drive step / floor: %.3f\n", step->second / floor->second);
  else
    std::printf("drive step / floor: not measured (both benchmarks must run)\n");
  if (step != reporter.medians.end() && ownFloor != reporter.medians.end() && ownFloor->second > 0)
    std::printf("drive step / own-trig floor: %.3f\n", step->second / ownFloor->second);
  else
    std::printf("drive step / own-trig floor: not measured (both benchmarks must run)\n");
  return 0;
}
