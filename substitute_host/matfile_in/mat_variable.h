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

}  // namespace substitute_host
