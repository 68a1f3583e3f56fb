#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "table/row_source.h"

namespace substitute_host {

// Whether the file at path is a MAT file, judged by its content; false for standard
// input and in a build that reads no MAT files.
bool isMatInput(const std::string& path);

// The layout a MAT input's rows were read from, which the MAT output of its replay
// takes.
struct MatInputShape {
  enum class Kind { signalVariables, structure, matrix };
  Kind kind = Kind::matrix;
  std::string variable;  // the structure's or matrix's name
  std::uint64_t rows = 0;
  bool hasTime = false;
};

// Opens a MAT file's rows: the replay's inputs (inputsOnly), or any signals of the
// block for a comparison; `variable` picks the structure or matrix when not empty.
// Null, with the reason in error (naming shownName and the variable), when it cannot
// be read.
std::unique_ptr<RowSource> openMatRows(const std::string& path, const std::string& shownName,
                                       const std::string& variable, bool inputsOnly,
                                       std::string& error, MatInputShape* shape = nullptr);

}  // namespace substitute_host
