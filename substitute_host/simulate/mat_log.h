#pragma once

#include <string_view>
#include <vector>

#include "matfile_out/column_file.h"
#include "plant/step_record.h"

namespace substitute_host::simulate {

// The names of the MAT log's variables beside its columns.
inline constexpr std::string_view kScenarioVariable = "scenario";
inline constexpr std::string_view kSampleTimeVariable = "sampleTime_s";
inline constexpr std::string_view kVersionVariable = "toolVersion";

// The MAT log's columns: those of the CSV log, in its order and under its names, block
// signals as singles (the exact values the block saw), the rest as doubles.
std::vector<matfile_out::MatColumn> matLogColumns();

// Appends one step record as a row of those columns; false once writing failed.
bool writeMatRow(matfile_out::MatColumnFile& file, const plant::StepRecord& record);

}  // namespace substitute_host::simulate
