#pragma once

// The read-back check of a 7.3 file, made through HDF5 itself; only this layer's sources
// include it.

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace substitute_host::matfile_out {

// Opens the written 7.3 file and checks that each named variable is there as an N-by-1
// column of the given number of rows. False, with error naming the first one that is
// not, otherwise. Each variable is found by its name in the file's index, not by a walk
// over every variable as libmatio finds one.
bool checkColumns73(const std::filesystem::path& path, const std::vector<std::string>& names,
                    std::uint64_t rows, std::string& error);

}  // namespace substitute_host::matfile_out
