#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace substitute_host {

// A column compared in both files: its name and its field in each file's rows.
struct PairedColumn {
  std::string name;
  std::size_t fieldA = 0;
  std::size_t fieldB = 0;
};

struct ColumnPairing {
  std::vector<PairedColumn> columns;
  std::vector<std::string> onlyInA;  // named columns left out because B lacks them
  std::vector<std::string> onlyInB;
  std::string error;  // why the files cannot be paired; empty when they can
};

// Pairs the columns of two headers by name. With requested names, exactly those, in
// that order, each of which both headers must have. Without, every named column that
// both headers have, in A's order; the rest are listed as left out. Unnamed (empty)
// columns are never paired. nameA and nameB name the files in messages.
ColumnPairing pairColumns(const std::vector<std::string>& namesA,
                          const std::vector<std::string>& namesB,
                          const std::vector<std::string>& requested, const std::string& nameA,
                          const std::string& nameB);

}  // namespace substitute_host
