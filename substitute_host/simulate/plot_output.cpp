#include "simulate/plot_output.h"

#include <string>

#include "simulate/external_program.h"
#include "simulate/plot_data.h"
#include "simulate/output_messages.h"
#include "table/output_file.h"
#include "text/display_text.h"

namespace substitute_host::simulate {

namespace {

namespace fs = std::filesystem;

// Runs gnuplot on the script from the script's folder. Empty when it drew, else why not;
// a missing gnuplot is not an error of the simulation.
std::string runGnuplot(const fs::path& script) {
  const std::string gnuplot = findOnPath("gnuplot");
  if (gnuplot.empty()) return "gnuplot was not found on PATH";
  const std::string dir = script.parent_path().empty() ? "." : script.parent_path().string();
  // "./" first: a script named "-e..." would otherwise be read as an option.
  const fs::path relative = fs::path(".") / script.filename();
  return runInDirectory(gnuplot, relative.string(), dir);
}

}  // namespace

bool writePlot(const PlotRequest& plot, const fs::path& dir, const fs::path& script, bool draw,
               std::ostream& out, std::ostream& err) {
  const std::string text = plotScript(plot);
  OutputFile gp;
  bool written = gp.open(script.string());
  if (written) {
    // A failed write leaves the stream's error flag, which the commit reports.
    std::fwrite(text.data(), 1, text.size(), gp.stream());
    written = gp.commit();
  }
  if (!written) {
    err << "simulate: cannot write " << shownPath(script) << ": " << gp.error() << '\n';
    return false;
  }
  out << "Wrote " << shownPath(dir / plot.csvFile) << " and " << shownPath(script) << '\n';
  if (!draw) return true;
  const std::string problem = runGnuplot(script);
  if (problem.empty()) {
    out << "Wrote " << shownPath(dir / plot.pngFile) << '\n';
  } else {
    err << "simulate: plot skipped: " << displayText(problem, 200) << '\n';
  }
  return true;
}

bool writeMatPlot(PlotRequest plot, const fs::path& dir, const fs::path& matLog,
                  const fs::path& script, bool draw, std::ostream& out, std::ostream& err) {
  const fs::path data = dir / (script.stem().string() + ".plot.csv");
  std::string problem;
  long long rows = 0;
  if (!writePlotData(matLog, static_cast<std::uint64_t>(plot.rows), data, rows, problem)) {
    err << "simulate: cannot write " << shownPath(data) << ": " << displayText(problem, 200) << '\n';
    return false;
  }
  plot.csvFile = data.filename().string();
  plot.rows = rows;  // the side file holds only the rows drawn
  return writePlot(plot, dir, script, draw, out, err);
}

}  // namespace substitute_host::simulate
