#pragma once

#include <filesystem>
#include <ostream>

#include "simulate/plot_script.h"

namespace substitute_host::simulate {

// Writes the plot script for the CSV in `dir` to `script` (in `dir` too) and says so on
// `out`; with `draw`, runs gnuplot on it in its folder for the PNG. False when the script could not
// be written, with the reason on `err`. A PNG that could not be drawn is only noted on
// `err`: the CSV is the result, the picture a convenience.
bool writePlot(const PlotRequest& plot, const std::filesystem::path& dir,
               const std::filesystem::path& script, bool draw, std::ostream& out,
               std::ostream& err);

// The same for a MAT log: the plotted columns go first to a side file of their own
// beside it (<name>.plot.csv, every row the plot draws), which the script reads.
// False when the side file or the script could not be written, with the reason on err.
bool writeMatPlot(PlotRequest plot, const std::filesystem::path& dir,
                  const std::filesystem::path& matLog, const std::filesystem::path& script,
                  bool draw, std::ostream& out, std::ostream& err);

}  // namespace substitute_host::simulate
