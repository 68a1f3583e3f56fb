#pragma once

#include <filesystem>
#include <string>
#include <string_view>

#include "sim/plant_params.h"

namespace substitute_host::sim {

struct PlotRequest {
  std::string csvFile;  // name relative to the script's directory
  std::string pngFile;  // likewise
  std::string title;
  long long rows = 0;  // data rows in the CSV, to thin out what is drawn
  PlantParams plant;   // the gear ratio turns motor speeds into wheel speeds
  // Extent of the path, m. The plot pads it so that a straight run does not
  // collapse into a line.
  double minX = 0.0, maxX = 0.0, minY = 0.0, maxY = 0.0;
  double maxUdc = 400.0;  // V, to scale the DC-link axis
};

// A gnuplot script drawing a 2x2 page: wheel speeds against the geometric ideal,
// dq currents against the current limit, the modulation index against the
// field-weakening target, and the vehicle's path. It names its files relative to its
// own directory, so it can be rerun there by hand.
std::string plotScript(const PlotRequest& request);

// A gnuplot string expression whose value is exactly `text`, with nothing in it that
// gnuplot expands or runs.
std::string gnuplotString(std::string_view text);

struct PlotOutcome {
  bool drawn = false;
  std::string message;  // why not, when not drawn
};

// Runs gnuplot on the script from the script's directory. A missing gnuplot is not
// an error of the simulation; the outcome says why nothing was drawn.
PlotOutcome runGnuplot(const std::filesystem::path& script);

}  // namespace substitute_host::sim
