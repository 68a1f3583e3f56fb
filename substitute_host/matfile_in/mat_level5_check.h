#pragma once

#include <cstdint>
#include <cstdio>
#include <string>

namespace substitute_host {

// Checks one uncompressed level-5 variable (a matrix element of `length` bytes whose
// content starts at byte `at` of the file): every numeric array in it, and in the
// fields of its structures, must hold exactly as many values as its dimensions say,
// within the element. The MAT library trusts the dimensions when it reads rows in
// parts, and would read past the values, or past the file's end, without a word.
// False, with the fault in `problem`, when it does not.
bool checkLevel5Matrix(std::FILE* file, bool bigEndian, std::uint64_t at, std::uint64_t length,
                       std::string& problem);

// The name of such a variable; empty when it cannot be read.
std::string level5MatrixName(std::FILE* file, bool bigEndian, std::uint64_t at,
                             std::uint64_t length);

}  // namespace substitute_host
