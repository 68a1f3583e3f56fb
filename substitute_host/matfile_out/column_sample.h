#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace substitute_host::matfile_out {

// Every `every`-th row, from the first, of each named N-by-1 column of a MAT file (7.3
// or level 5, uncompressed, as this layer writes them), as doubles, one vector per name:
// what a plot of a long log draws, read without the rest of the log. False, with error
// naming the column, when one is missing or cannot be read.
bool readEveryNthRow(const std::string& path, const std::vector<std::string>& names,
                     std::uint64_t every, std::vector<std::vector<double>>& columns,
                     std::string& error);

}  // namespace substitute_host::matfile_out
