#pragma once

#include <memory>
#include <string>

#include "table/row_source.h"

namespace substitute_host {

// Whether the file at path is a MAT file, judged by its content; false for standard
// input and in a build that reads no MAT files.
bool isMatInput(const std::string& path);

// Opens a MAT file's rows: the replay's inputs (inputsOnly), or any signals of the
// block for a comparison; `variable` picks the structure or matrix when not empty.
// Null, with the reason in error (naming shownName and the variable), when it cannot
// be read.
std::unique_ptr<RowSource> openMatRows(const std::string& path, const std::string& shownName,
                                       const std::string& variable, bool inputsOnly,
                                       std::string& error);

}  // namespace substitute_host
