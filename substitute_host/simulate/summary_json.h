#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

#include "plant/simulation.h"

namespace substitute_host::simulate {

// The outcome of one run as figures for a program: the same run gives the same figures
// anywhere, so nothing about how long it took is among them.
inline constexpr std::size_t kSummaryFigureCount = 9;
inline constexpr std::array<std::string_view, kSummaryFigureCount> kSummaryFigureNames = {
    "finalSpeed_m_s",     "peakSpeed_m_s",         "peakPhaseCurrent1_A",
    "peakPhaseCurrent2_A", "peakModIndex1",        "peakModIndex2",
    "fieldWeakeningFrom_s", "maxSlip",             "energyFromDcLink_J",
};
// A figure the run does not have (field weakening that never came) is NaN here and null
// in the JSON text.
using SummaryFigures = std::array<double, kSummaryFigureCount>;

SummaryFigures summaryFigures(const plant::SimulationResult& result);

// {"finalSpeed_m_s":...,...}: each figure as the shortest text that reads back as the
// same double, a figure the run does not have as null.
std::string summaryJsonText(const SummaryFigures& figures);

// Writes the text to path, complete or absent. Empty when written, else why not.
std::string writeSummaryJson(const std::string& path, const SummaryFigures& figures);

}  // namespace substitute_host::simulate
