#include "simulate/plot_script.h"

#include <algorithm>
#include <sstream>

#include "control/foc_channel.h"
#include "control/parameters.h"

namespace substitute_host::simulate {

namespace {

// gnuplot draws tens of thousands of points per curve slowly and no better than a
// few thousand.
constexpr long long kPointsPerCurve = 4000;

// Room above and below the controller's current limit, so that its lines stay clear of
// the frame.
constexpr float kCurrentAxisMargin = 40.0f;  // A

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

// The head of the script: terminal, files and the page layout. The file names and the
// title come from the user, so they enter only as string literals (see gnuplotString)
// bound to variables, and the files are named with a leading "./": gnuplot would run
// a data file name starting with '<', or an output name starting with '|', as a
// shell command.
void writeHead(std::ostream& s, const PlotRequest& r, long long every) {
  s << "# Draws the simulation's CSV into a PNG; run it in this folder: gnuplot <this file>\n"
    << "if (strstrt(GPVAL_TERMINALS, \"pngcairo\") > 0) {\n"
    << "  set terminal pngcairo size 1600,1100 noenhanced font \",11\"\n"
    << "} else {\n"
    << "  set terminal png size 1600,1100 noenhanced\n"
    << "}\n"
    << "png = " << gnuplotString("./" + r.pngFile) << "\n"
    << "set output png\n"
    << "set datafile separator comma\n"
    << "set datafile columnheaders\n"
    << "f = " << gnuplotString("./" + r.csvFile) << "\n"
    << "G = " << r.gearRatio << "  # motor speed / wheel speed\n"
    << "E = " << every << "  # draw every Eth row\n"
    << "pageTitle = " << gnuplotString(r.title) << "\n"
    << "set grid\n"
    << "set multiplot layout 2,2 title pageTitle\n"
    << "\n";
}

void writeWheelSpeeds(std::ostream& s) {
  s << "set title \"Rear wheel speeds against the geometric ideal for the steering angle\"\n"
    << "set key top left\n"
    << "set xlabel \"time (s)\"\n"
    << "set ylabel \"wheel speed (rad/s)\"\n"
    << "plot f every E using \"time_s\":(column(\"omega1\")/G) with lines lw 2 lc 1 "
       "title \"right (motor 1)\", \\\n"
    << "     f every E using \"time_s\":(column(\"omega1Ideal_rad_s\")/G) with lines dt 2 lc rgb "
       "\"black\" title \"ideal for the steering angle\", \\\n"
    << "     f every E using \"time_s\":(column(\"omega2\")/G) with lines lw 2 lc 2 "
       "title \"left (motor 2)\", \\\n"
    << "     f every E using \"time_s\":(column(\"omega2Ideal_rad_s\")/G) with lines dt 2 lc rgb "
       "\"black\" notitle\n"
    << "\n";
}

// The controller's limit on the current magnitude, drawn as the controller has it.
void writeCurrents(std::ostream& s) {
  const float axis = kCurrentLimit + kCurrentAxisMargin;
  s << "set title \"Rotor-frame currents; field weakening pulls id below zero\"\n"
    << "set key top right\n"
    << "set ylabel \"current (A)\"\n"
    << "set yrange [" << -axis << ":" << axis << "]\n"
    << "plot f every E using \"time_s\":\"id1_A\" with lines lc 1 title \"id1\", \\\n"
    << "     f every E using \"time_s\":\"iq1_A\" with lines lc 3 title \"iq1\", \\\n"
    << "     f every E using \"time_s\":\"id2_A\" with lines lc 2 dt 3 title \"id2\", \\\n"
    << "     f every E using \"time_s\":\"iq2_A\" with lines lc 4 dt 3 title \"iq2\", \\\n"
    << "     " << kCurrentLimit << " with lines lc rgb \"black\" dt 2 title \"+-" << kCurrentLimit
    << " A limit\", \\\n"
    << "     " << -kCurrentLimit << " with lines lc rgb \"black\" dt 2 notitle\n"
    << "\n";
}

// The value at which the controller's field weakening holds the filtered index, drawn
// as the controller has it.
void writeModulationIndex(std::ostream& s, double maxUdc) {
  s << "set title \"Filtered modulation index; field weakening holds it at " << kFwModIndexRef
    << "\"\n"
    << "set key bottom right\n"
    << "set ylabel \"modulation index\"\n"
    << "set yrange [0:1.05]\n"
    << "set y2label \"DC-link voltage (V)\"\n"
    << "set y2range [0:" << 1.25 * maxUdc << "]\n"
    << "set y2tics\n"
    << "plot f every E using \"time_s\":\"modIndex1\" with lines lw 2 lc 1 title \"motor 1\", \\\n"
    << "     f every E using \"time_s\":\"modIndex2\" with lines lc 2 dt 3 title \"motor 2\", \\\n"
    << "     " << kFwModIndexRef
    << " with lines lc rgb \"black\" dt 2 title \"field-weakening target\", \\\n"
    << "     f every E using \"time_s\":\"udc\" axes x1y2 with lines lc rgb \"gray40\" "
       "title \"udc (right axis)\"\n"
    << "unset y2label\n"
    << "unset y2tics\n"
    << "\n";
}

void writePath(std::ostream& s, const PlotRequest& r) {
  Range px, py;
  pathRanges(r, px, py);
  s << "set title \"Path of the rear axle centre\"\n"
    << "set xlabel \"x (m)\"\n"
    << "set ylabel \"y (m)\"\n"
    << "set size ratio -1\n"
    << "set xrange [" << px.lo << ":" << px.hi << "]\n"
    << "set yrange [" << py.lo << ":" << py.hi << "]\n"
    << "plot f every E using \"x_m\":\"y_m\" with lines lw 2 lc 7 notitle\n"
    << "unset multiplot\n";
}

// One byte as a double-quoted escape: "\ooo" holds exactly that byte and nothing else
// that gnuplot would expand.
std::string octalEscape(unsigned char byte) {
  std::string escape = "\"\\";
  escape += static_cast<char>('0' + (byte >> 6));
  escape += static_cast<char>('0' + ((byte >> 3) & 7));
  escape += static_cast<char>('0' + (byte & 7));
  return escape + "\"";
}

}  // namespace

std::string gnuplotString(std::string_view text) {
  // Single-quoted strings are taken literally: no backquote command, no macro, no
  // escape; a quote inside is written twice. Control bytes (a newline would end the
  // command) cannot stand in them and join as one-byte escapes.
  std::string literal;
  bool open = false;
  for (const char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte < 0x20 || byte == 0x7F) {
      literal += (open ? "'." : literal.empty() ? "" : ".") + octalEscape(byte);
      open = false;
      continue;
    }
    if (!open) literal += literal.empty() ? "'" : ".'";
    open = true;
    literal += c == '\'' ? std::string("''") : std::string(1, c);
  }
  if (literal.empty()) return "''";
  return open ? literal + "'" : literal;
}

const std::vector<std::string>& plottedColumns() {
  static const std::vector<std::string> columns = {
      "time_s", "omega1", "omega1Ideal_rad_s", "omega2", "omega2Ideal_rad_s",
      "id1_A",  "iq1_A",  "id2_A",             "iq2_A",  "modIndex1",
      "modIndex2", "udc", "x_m",               "y_m"};
  return columns;
}

long long plotEvery(long long rows) { return std::max(1LL, rows / kPointsPerCurve); }

std::string plotScript(const PlotRequest& r) {
  const long long every = plotEvery(r.rows);
  std::ostringstream s;
  writeHead(s, r, every);
  writeWheelSpeeds(s);
  writeCurrents(s);
  writeModulationIndex(s, r.maxUdc);
  writePath(s, r);
  return s.str();
}

}  // namespace substitute_host::simulate
