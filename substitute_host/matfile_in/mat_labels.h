#pragma once

#include <string>
#include <vector>

#include <matio.h>

#include "matfile_in/mat_layout.h"

namespace substitute_host {

// The text of a character array's units, one byte or two each (a unit beyond ASCII
// becomes '?': no signal name has one), column by column as the format stores them.
std::string unitsAsText(const void* data, std::size_t units, std::size_t unitBytes);

// The labels a signals.label holds: a char matrix, one label per row padded with
// blanks, or a cell of char rows, one label each. Its units as `text` (column by column)
// and its shape; for a cell, each element's text. Trailing blanks and zeros dropped.
std::vector<std::string> labelsOfCharMatrix(const std::string& text, std::size_t rows,
                                            std::size_t columns);

// The labels of a label variable read with its data (a char matrix or a cell of them);
// false when it holds something else or no data.
bool labelsFromVariable(const matvar_t& label, std::vector<std::string>& labels);

// Names the columns of a structure with time by its labels: they must name exactly the
// signals its values hold (the 13 inputs, or for a comparison the 6 outputs), in any
// order. False, with the reason naming `labelName` and the label, otherwise.
bool applyMatLabels(const std::vector<std::string>& labels, const std::string& labelName,
                    MatLayout& layout, std::string& error);

}  // namespace substitute_host
