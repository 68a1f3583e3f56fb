#pragma once

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>

#include "replay/csv_replay.h"

namespace substitute_host {

// The runner's two files: each row as raw little-endian singles in port order, the
// thirteen inputs in one, the six outputs in the other. The runners and the processors
// they run on are all little-endian, as is every host this tool is built for.

// Reads the input CSV `csv` (as `replay` reads it) and writes its rows to rowsIn; the
// outcome's rowsWritten counts them. At a bad row nothing more is written.
ReplayOutcome writeInputRows(std::FILE* csv, const std::filesystem::path& rowsIn);

// Writes the output CSV, header and `rows` rows, from rowsOut to out; a rowsOut of
// another length is a failure (the runner stopped early), reported in the outcome.
ReplayOutcome writeOutputCsv(const std::filesystem::path& rowsOut, std::uint64_t rows,
                             std::FILE* out);

}  // namespace substitute_host
