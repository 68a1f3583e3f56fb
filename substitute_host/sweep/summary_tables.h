#pragma once

#include <string>
#include <vector>

#include "sweep/part_file.h"
#include "sweep/plan.h"

namespace substitute_host::sweep {

// The gathered outcome of every run, in index order; a missing run's status is
// "missing" and its figures NaN.
using GatheredRuns = std::vector<RunPart>;

// summary.csv's text: index, the varied keys, status, the figures.
std::string summaryCsvText(const Plan& plan, const GatheredRuns& runs);

// Writes path as summary.csv's text, complete or absent; empty when written, else why.
std::string writeTextFile(const std::string& path, const std::string& text);

// summary.mat: the same table as double columns (the keys made MAT names, `ok` 1 or 0
// for status), with the statuses and the dotted keys as text, one per line. Empty when
// written, else why not.
std::string writeSummaryMat(const std::string& path, const Plan& plan, const GatheredRuns& runs);

}  // namespace substitute_host::sweep
