#pragma once

#include <cstdio>
#include <string>

#include "compare/compare_csv.h"

namespace substitute_host {

// Writes the comparison for a reader: one line per column (rows compared, rows that
// differ, rows beyond the tolerance, the largest difference in ULP, rows of one value
// written in two ways, the first differing row with both fields), the columns left
// out, and the verdict. False when writing failed.
bool writeTextReport(std::FILE* out, const CompareOutcome& outcome, const Tolerance& tolerance,
                     const std::string& nameA, const std::string& nameB);

// Writes the same per column as CSV, one row per compared column, for a program to read.
// False when writing failed.
bool writeCsvReport(std::FILE* out, const CompareOutcome& outcome);

// The largest difference as the report writes it: a count of ULP, or "inf" for a NaN
// against a number.
std::string distanceText(std::uint64_t distance);

}  // namespace substitute_host
