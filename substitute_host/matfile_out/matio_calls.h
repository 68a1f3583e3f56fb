#pragma once

// The few calls of libmatio the layer makes, each checked, each failure turned into a
// message; only this layer's sources include it.

#include <matio.h>

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "matfile_out/column_file.h"

namespace substitute_host::matfile_out {

// Creates (or truncates) the file at path in the given format; null with error set.
mat_t* createMat(const std::filesystem::path& path, MatVersion version, std::string& error);

// An N-by-1 column of singles (data points to floats) or doubles. appendColumn adds rows
// to a 7.3 variable this file created (the first call creates it, its chunks as long as
// that first block); writeColumn writes the whole variable at once.
bool appendColumn(mat_t* mat, const std::string& name, bool single, const void* data,
                  std::size_t rows, std::string& error);
bool writeColumn(mat_t* mat, const std::string& name, bool single, const void* data,
                 std::size_t rows, std::string& error);
// A 1-by-N char array of UTF-16 code units, and a 1-by-1 double.
bool writeText(mat_t* mat, const std::string& name, const std::vector<std::uint16_t>& units,
               std::string& error);
bool writeScalar(mat_t* mat, const std::string& name, double value, std::string& error);

// Closes the file, checking the close.
bool closeMat(mat_t* mat, std::string& error);

// Opens the written file again and checks that each named variable is there with the
// given number of rows: what a failed write of the data left short is caught here.
bool checkColumns(const std::filesystem::path& path, const std::vector<std::string>& names,
                  std::uint64_t rows, std::string& error);

}  // namespace substitute_host::matfile_out
