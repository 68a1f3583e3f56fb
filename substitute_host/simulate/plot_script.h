#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "plant/plant_params.h"

namespace substitute_host::simulate {

struct PlotRequest {
  std::string csvFile;  // name relative to the script's directory
  std::string pngFile;  // likewise
  std::string title;
  long long rows = 0;  // data rows in the CSV, to thin out what is drawn
  // Motor speed over wheel speed, to draw wheel speeds from the motor speeds.
  double gearRatio = plant::PlantParams{}.gearRatio;
  // Extent of the path, m. The plot pads it so that a straight run does not
  // collapse into a line.
  double minX = 0.0, maxX = 0.0, minY = 0.0, maxY = 0.0;
  double maxUdc = 400.0;  // V, to scale the DC-link axis
};

// The log's columns the plot draws, by name: a side file of these alone draws the same
// picture.
const std::vector<std::string>& plottedColumns();

// How many of `rows` rows make one point of a curve: every how-manieth the plot draws.
long long plotEvery(long long rows);

// A gnuplot script drawing a 2x2 page: wheel speeds against the geometric ideal,
// dq currents against the current limit, the modulation index against the
// field-weakening target, and the vehicle's path. It names its files relative to its
// own directory, so it can be rerun there by hand.
std::string plotScript(const PlotRequest& request);

// A gnuplot string expression whose value is exactly `text`, with nothing in it that
// gnuplot expands or runs.
std::string gnuplotString(std::string_view text);

}  // namespace substitute_host::simulate
