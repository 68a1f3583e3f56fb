#include "sim/plot_script.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <sstream>
#include <vector>

#include "sim/external_program.h"

namespace substitute_host::sim {

namespace {

// gnuplot draws tens of thousands of points per curve slowly and no better than a
// few thousand.
constexpr long long kPointsPerCurve = 4000;

std::string quoted(const std::string& s) {
  std::string q = "\"";
  for (char c : s) {
    if (c == '"' || c == '\\') q += '\\';
    q += c;
  }
  return q + "\"";
}

struct Range {
  double lo;
  double hi;
};

// Both axes get the same scale; the narrower one is widened to at least a third of
// the wider one (and a metre), and both get a margin.
void pathRanges(const PlotRequest& r, Range& x, Range& y) {
  const double cx = 0.5 * (r.minX + r.maxX), cy = 0.5 * (r.minY + r.maxY);
  double hx = 0.5 * (r.maxX - r.minX), hy = 0.5 * (r.maxY - r.minY);
  if (!(hx >= 0.0 && hy >= 0.0)) hx = hy = 0.0;  // no path recorded
  hx = std::max({hx, hy / 3.0, 1.0}) * 1.05;
  hy = std::max({hy, hx / 3.0, 1.0}) * 1.05;
  x = {cx - hx, cx + hx};
  y = {cy - hy, cy + hy};
}

}  // namespace

std::string plotScript(const PlotRequest& r) {
  const long long every = std::max(1LL, r.rows / kPointsPerCurve);
  Range px, py;
  pathRanges(r, px, py);
  std::ostringstream s;
  s << "# Draws " << r.csvFile << " into " << r.pngFile << "; run it here: gnuplot <this file>\n"
    << "if (strstrt(GPVAL_TERMINALS, \"pngcairo\") > 0) {\n"
    << "  set terminal pngcairo size 1600,1100 noenhanced font \",11\"\n"
    << "} else {\n"
    << "  set terminal png size 1600,1100 noenhanced\n"
    << "}\n"
    << "set output " << quoted(r.pngFile) << "\n"
    << "set datafile separator comma\n"
    << "set datafile columnheaders\n"
    << "f = " << quoted(r.csvFile) << "\n"
    << "G = " << r.plant.gearRatio << "  # motor speed / wheel speed\n"
    << "E = " << every << "  # draw every Eth row\n"
    << "set grid\n"
    << "set multiplot layout 2,2 title " << quoted(r.title) << "\n"
    << "\n"
    << "set title \"Rear wheel speeds against the geometric ideal for the steering angle\"\n"
    << "set key top left\n"
    << "set xlabel \"time (s)\"\n"
    << "set ylabel \"wheel speed (rad/s)\"\n"
    << "plot f every E using \"time_s\":(column(\"omega1\")/G) with lines lw 2 lc 1 "
       "title \"right (motor 1)\", \\\n"
    << "     f every E using \"time_s\":(column(\"omega1Ideal_rad_s\")/G) with lines dt 2 lc rgb "
       "\"black\" "
       "title \"ideal for the steering angle\", \\\n"
    << "     f every E using \"time_s\":(column(\"omega2\")/G) with lines lw 2 lc 2 "
       "title \"left (motor 2)\", \\\n"
    << "     f every E using \"time_s\":(column(\"omega2Ideal_rad_s\")/G) with lines dt 2 lc rgb "
       "\"black\" "
       "notitle\n"
    << "\n"
    << "set title \"Rotor-frame currents; field weakening pulls id below zero\"\n"
    << "set key top right\n"
    << "set ylabel \"current (A)\"\n"
    << "set yrange [-340:340]\n"
    << "plot f every E using \"time_s\":\"id1_A\" with lines lc 1 title \"id1\", \\\n"
    << "     f every E using \"time_s\":\"iq1_A\" with lines lc 3 title \"iq1\", \\\n"
    << "     f every E using \"time_s\":\"id2_A\" with lines lc 2 dt 3 title \"id2\", \\\n"
    << "     f every E using \"time_s\":\"iq2_A\" with lines lc 4 dt 3 title \"iq2\", \\\n"
    << "     300 with lines lc rgb \"black\" dt 2 title \"+-300 A limit\", \\\n"
    << "     -300 with lines lc rgb \"black\" dt 2 notitle\n"
    << "\n"
    << "set title \"Filtered modulation index; field weakening holds it at 0.95\"\n"
    << "set key bottom right\n"
    << "set ylabel \"modulation index\"\n"
    << "set yrange [0:1.05]\n"
    << "set y2label \"DC-link voltage (V)\"\n"
    << "set y2range [0:" << 1.25 * r.maxUdc << "]\n"
    << "set y2tics\n"
    << "plot f every E using \"time_s\":\"modIndex1\" with lines lw 2 lc 1 title \"motor 1\", \\\n"
    << "     f every E using \"time_s\":\"modIndex2\" with lines lc 2 dt 3 title \"motor 2\", \\\n"
    << "     0.95 with lines lc rgb \"black\" dt 2 title \"field-weakening target\", \\\n"
    << "     f every E using \"time_s\":\"udc\" axes x1y2 with lines lc rgb \"gray40\" "
       "title \"udc (right axis)\"\n"
    << "unset y2label\n"
    << "unset y2tics\n"
    << "\n"
    << "set title \"Path of the rear axle centre\"\n"
    << "set xlabel \"x (m)\"\n"
    << "set ylabel \"y (m)\"\n"
    << "set size ratio -1\n"
    << "set xrange [" << px.lo << ":" << px.hi << "]\n"
    << "set yrange [" << py.lo << ":" << py.hi << "]\n"
    << "plot f every E using \"x_m\":\"y_m\" with lines lw 2 lc 7 notitle\n"
    << "unset multiplot\n";
  return s.str();
}

PlotOutcome runGnuplot(const std::filesystem::path& script) {
  PlotOutcome outcome;
  const std::string gnuplot = findOnPath("gnuplot");
  if (gnuplot.empty()) {
    outcome.message = "gnuplot was not found on PATH";
    return outcome;
  }
  const std::string dir = script.parent_path().empty() ? "." : script.parent_path().string();
  const std::string problem = runInDirectory(gnuplot, script.filename().string(), dir);
  outcome.drawn = problem.empty();
  outcome.message = problem;
  return outcome;
}

}  // namespace substitute_host::sim
