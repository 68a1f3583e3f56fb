#include "matfile_in/mat_labels.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

#include "block_ports.h"
#include "text/display_text.h"

namespace substitute_host {
namespace {

std::string trimmed(std::string text) {
  const std::size_t end = text.find_last_not_of(std::string(" \0", 2));
  text.erase(end == std::string::npos ? 0 : end + 1);
  return text;
}

std::size_t unitBytesOf(const matvar_t& variable) {
  switch (variable.data_type) {
    case MAT_T_UINT16: case MAT_T_INT16: case MAT_T_UTF16: return 2;
    case MAT_T_UINT8: case MAT_T_INT8: case MAT_T_UTF8: return 1;
    default: return 0;
  }
}

// One char array read with its data, as its labels.
bool charLabels(const matvar_t& variable, std::vector<std::string>& labels, bool oneLabel) {
  const std::size_t unitBytes = unitBytesOf(variable);
  if (variable.class_type != MAT_C_CHAR || variable.rank != 2 || unitBytes == 0) return false;
  const std::size_t units = variable.dims[0] * variable.dims[1];
  if (units > 0 && (variable.data == nullptr || variable.nbytes < units * unitBytes)) return false;
  const std::string text = unitsAsText(variable.data, units, unitBytes);
  if (oneLabel) {
    labels.push_back(trimmed(text));
    return true;
  }
  const std::vector<std::string> rows = labelsOfCharMatrix(text, variable.dims[0], variable.dims[1]);
  labels.insert(labels.end(), rows.begin(), rows.end());
  return true;
}

}  // namespace

std::string unitsAsText(const void* data, std::size_t units, std::size_t unitBytes) {
  std::string text(units, '?');
  const auto* bytes = static_cast<const unsigned char*>(data);
  for (std::size_t i = 0; i < units; ++i) {
    std::uint16_t unit = bytes[i * unitBytes];
    if (unitBytes == 2) std::memcpy(&unit, bytes + 2 * i, 2);
    if (unit < 128) text[i] = static_cast<char>(unit);
  }
  return text;
}

std::vector<std::string> labelsOfCharMatrix(const std::string& text, std::size_t rows,
                                            std::size_t columns) {
  std::vector<std::string> labels(rows);
  for (std::size_t row = 0; row < rows; ++row) {
    for (std::size_t column = 0; column < columns; ++column) labels[row] += text[column * rows + row];
    labels[row] = trimmed(labels[row]);
  }
  return labels;
}

bool labelsFromVariable(const matvar_t& label, std::vector<std::string>& labels) {
  labels.clear();
  if (label.class_type == MAT_C_CHAR) return charLabels(label, labels, false);
  if (label.class_type != MAT_C_CELL || label.rank != 2) return false;
  const std::size_t count = label.dims[0] * label.dims[1];
  for (std::size_t i = 0; i < count; ++i) {
    const matvar_t* cell = Mat_VarGetCell(const_cast<matvar_t*>(&label), static_cast<int>(i));
    if (cell == nullptr || !charLabels(*cell, labels, true)) return false;
  }
  return true;
}

bool applyMatLabels(const std::vector<std::string>& labels, const std::string& labelName,
                    MatLayout& layout, std::string& error) {
  const std::size_t first = !layout.names.empty() && layout.names.front() == "time" ? 1 : 0;
  const std::vector<std::string> expected(layout.names.begin() + static_cast<long>(first),
                                          layout.names.end());
  const std::string shown = "variable " + quotedForMessage(labelName);
  for (std::size_t i = 0; i < labels.size(); ++i) {
    if (std::find(expected.begin(), expected.end(), labels[i]) == expected.end()) {
      error = shown + " names " + quotedForMessage(labels[i]) + ", which is none of the " +
              std::to_string(expected.size()) +
              (expected.size() == kOutputSignalCount ? " outputs" : " inputs") + " of the block";
      return false;
    }
    if (std::find(labels.begin(), labels.begin() + static_cast<long>(i), labels[i]) != labels.begin() + static_cast<long>(i)) {
      error = shown + " names " + quotedForMessage(labels[i]) + " twice";
      return false;
    }
  }
  for (const std::string& name : expected) {
    if (std::find(labels.begin(), labels.end(), name) != labels.end()) continue;
    error = shown + " lacks " + quotedForMessage(name) + "; it must name each of the " +
            std::to_string(expected.size()) + " columns of the values";
    return false;
  }
  std::copy(labels.begin(), labels.end(), layout.names.begin() + static_cast<long>(first));
  return true;
}

}  // namespace substitute_host
