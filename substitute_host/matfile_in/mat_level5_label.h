#pragma once

#include <string>
#include <vector>

namespace substitute_host {

enum class LabelRead { absent, found, unreadable };

// The labels of `variable`.signals.label in a level-5 file, read from the file itself:
// the MAT library reads a character array only with the whole variable, which would
// hold every row of the values in memory. Only an uncompressed variable is looked at
// (a compressed one is read whole anyway). A char matrix gives one label per row, a
// cell one per element.
LabelRead readLevel5Labels(const std::string& path, const std::string& variable,
                           std::vector<std::string>& labels);

}  // namespace substitute_host
