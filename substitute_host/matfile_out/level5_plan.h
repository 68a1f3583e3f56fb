#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace substitute_host::matfile_out {

// A variable of a level-5 file whose shape is known before its values: a numeric array
// (rows by columns of singles or doubles, stored column by column) or a structure of
// one element whose fields are variables themselves.
struct Level5Variable {
  std::string name;  // a field's name when inside a structure
  bool structure = false;
  std::size_t rows = 0;
  std::size_t columns = 0;
  bool single = false;
  std::vector<double> fixedValues;  // a double array's values when known now; else filled later
  std::vector<Level5Variable> fields;
};

// A numeric array whose values are written later, column by column.
struct Level5Slot {
  std::uint64_t offset = 0;  // where its first value goes
  std::size_t rows = 0;
  std::size_t columns = 0;
  std::size_t valueBytes = 0;
};

// Bytes known before any value: a tag, a name, a fixed array's values, padding.
struct Level5Piece {
  std::uint64_t offset = 0;
  std::vector<unsigned char> bytes;
};

// The whole file laid out: its known bytes and where each array's values go, in the
// order the arrays appear (depth first). A level-5 file is laid out in full before its
// values arrive because every element's tag carries its length.
struct Level5Plan {
  std::vector<Level5Piece> pieces;
  std::vector<Level5Slot> slots;
  std::uint64_t size = 0;
};

// The largest top-level variable a level-5 file holds: its length is a 32-bit count,
// which readers take as signed.
inline constexpr std::uint64_t kLevel5VariableLimit = (std::uint64_t{1} << 31) - 1;

// Lays out a file of these variables (native byte order, uncompressed). False, with
// error naming the variable, when one would exceed kLevel5VariableLimit.
bool planLevel5(const std::vector<Level5Variable>& variables, Level5Plan& plan,
                std::string& error);

}  // namespace substitute_host::matfile_out
