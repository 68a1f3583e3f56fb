#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include <matio.h>

namespace substitute_host {

// What a MAT file is read for: the replay's thirteen inputs, or any signals of the
// block (its inputs or its six outputs) for a comparison.
enum class MatPurpose { inputs, signals };

// One variable read as a block of columns, every one of `rows` rows long.
struct MatColumnBlock {
  matvar_t* variable = nullptr;  // owned by the file's list of variables
  std::string shownName;         // as messages name it: "x", "x.signals.values"
  std::size_t columns = 0;
};

// Which of the layouts the file's variables form.
enum class MatLayoutKind { signalVariables, structure, matrix };

// How a file's variables make one table: the blocks side by side, each column named.
struct MatLayout {
  std::vector<MatColumnBlock> blocks;
  std::vector<std::string> names;    // one per column, in the blocks' order
  std::vector<std::string> sources;  // the top-level variables read
  std::uint64_t rows = 0;
  MatLayoutKind kind = MatLayoutKind::matrix;
  std::string variable;  // the structure's or matrix's name; empty for signal variables
};

// A field of a structure of one element, its field table checked first; null when it
// has none of that name.
matvar_t* matField(matvar_t& structure, const char* name);

// Finds the one layout that the variables form (the file's top-level variables, read
// without their data):
//  - one N-by-1 variable per signal, named as the block's port map names it;
//  - a structure with time: x.time N-by-1 (or absent or empty) and x.signals.values
//    N-by-k, its columns the signals in port order;
//  - a matrix N-by-k, with time first when it has one column more.
// For the inputs, k is 13; for signals, 13 or 6. `wanted`, when not empty, names the
// structure or matrix to read. False, with the reason in `error` (naming the variable),
// when no layout or more than one fits.
bool chooseMatLayout(const std::vector<matvar_t*>& variables, const std::string& wanted,
                     MatPurpose purpose, MatLayout& layout, std::string& error);

}  // namespace substitute_host
