#include "simulate/summary.h"

#include <iomanip>

#include "text/display_text.h"

namespace substitute_host::simulate {

namespace {

constexpr std::size_t kShownDescriptionBytes = 300;
const char* const kMotorName[2] = {"motor 1 (right)", "motor 2 (left)"};

}  // namespace

void printSummary(std::ostream& out, const plant::Scenario& sc, const plant::SimulationResult& r) {
  const auto flags = out.flags();
  const auto precision = out.precision();
  const plant::RunStatistics& st = r.stats;
  out << std::fixed << std::setprecision(1);
  // Both texts come from the scenario file: shown escaped, a long description cut.
  out << "Scenario " << displayText(sc.name) << ": " << r.simulatedSeconds << " s in " << r.steps
      << " control steps of 50 us, " << sc.substeps << " RK4 substeps each\n";
  if (!sc.description.empty())
    out << "  " << displayText(sc.description, kShownDescriptionBytes) << '\n';

  const double finalSpeed = r.finalState.speed();
  out << "Speed: final " << finalSpeed << " m/s (" << finalSpeed * 3.6 << " km/h), peak "
      << st.peakSpeed << " m/s (" << st.peakSpeed * 3.6 << " km/h)\n";
  out << "Peak phase current: " << kMotorName[0] << ' ' << st.peakCurrent[0] << " A, "
      << kMotorName[1] << ' ' << st.peakCurrent[1] << " A\n";

  out << "Field weakening: ";
  if (!st.fieldWeakeningEngaged(0) && !st.fieldWeakeningEngaged(1)) {
    out << "not engaged (id stayed above " << plant::kFieldWeakeningId << " A)\n";
  } else {
    out << "engaged";
    for (int m = 0; m < 2; ++m) {
      out << (m == 0 ? ", " : "; ") << kMotorName[m] << " id down to " << st.minId[m] << " A";
    }
    out << '\n';
  }
  out << std::setprecision(3) << "Peak modulation index: " << st.peakModIndex[0] << " and "
      << st.peakModIndex[1] << '\n';
  out << std::setprecision(0) << "Real-time factor: " << r.realTimeFactor() << "x ("
      << std::setprecision(3) << r.simulatedSeconds << " s simulated in " << r.wallSeconds
      << " s)\n";
  out.flags(flags);
  out.precision(precision);
}

}  // namespace substitute_host::simulate
