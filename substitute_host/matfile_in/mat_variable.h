#pragma once

#include <cstdint>
#include <string>

#include <matio.h>

namespace substitute_host {

// Why a variable cannot be read as a block of numbers, rows by columns: empty when it
// can (two dimensions, real single or double values). The text completes a sentence
// that names the variable, e.g. "is complex; only real single or double values can be
// read".
std::string numericProblem(const matvar_t& variable);

// The variable's row and column counts (it has two dimensions).
std::uint64_t rowCount(const matvar_t& variable);
std::uint64_t columnCount(const matvar_t& variable);

// Whether the variable is a structure of one element.
bool isScalarStruct(const matvar_t& variable);

// A size for a message, in MiB with one decimal: "64.0 MiB".
std::string mebibytes(std::uint64_t bytes);

// Why a compressed variable is not read, after its name and size.
inline constexpr const char* kCompressedAdvice =
    " read in one pass; a compressed variable cannot be read in parts. Save it "
    "uncompressed (-v6) or as version 7.3 (-v7.3) to stream it";

}  // namespace substitute_host
