#pragma once

#include <cstdint>
#include <filesystem>
#include <string>

namespace substitute_host::simulate {

// The plot's side file for a log that is no CSV (a MAT file): the columns the plot
// draws (plottedColumns), every how-manieth row it would draw of them, as a CSV that
// the plot script reads as it reads the full CSV log. Written complete or not at all.
// False, with error saying why, when the log cannot be read or the file written;
// `rows` is the number of rows written.
bool writePlotData(const std::filesystem::path& matLog, std::uint64_t logRows,
                   const std::filesystem::path& dataFile, long long& rows, std::string& error);

}  // namespace substitute_host::simulate
