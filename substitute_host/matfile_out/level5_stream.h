#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "matfile_out/final_name.h"
#include "matfile_out/level5_plan.h"
#include "matfile_out/temporary_path.h"

namespace substitute_host::matfile_out {

// A level-5 MAT file whose variables' shapes are known before their values (a replay
// of a MAT file knows its row count): laid out in full when opened, then filled a run
// of rows at a time wherever they go, so memory stays flat however many rows. Like
// every output of the tool it appears under its name complete or not at all: written
// under a hidden name beside it, closed (checked), read back, then given its name (see
// FinalName). Never throws.
class Level5StreamFile {
 public:
  Level5StreamFile() = default;
  Level5StreamFile(const Level5StreamFile&) = delete;
  Level5StreamFile& operator=(const Level5StreamFile&) = delete;
  ~Level5StreamFile();  // what was not committed is abandoned

  // Lays the file out and writes every byte but the values; false with error() set.
  bool open(const std::string& path, const std::vector<Level5Variable>& variables);
  // Values of one column of an array (its slot, depth first among the arrays whose
  // values come later), rows [firstRow, firstRow + count), as singles or doubles as the
  // array holds them. False once writing has failed.
  bool write(std::size_t slot, std::size_t column, std::uint64_t firstRow, const void* values,
             std::size_t count);
  // Closes and checks the file, then gives it its name; false with error() set, and
  // nothing left behind.
  bool commit();
  void abandon();

  const std::string& error() const { return error_; }

 private:
  bool writeAt(std::uint64_t offset, const void* bytes, std::size_t count);
  bool fail(const std::string& what);

  PlacedOutput placed_;
  FinalName finalName_;
  Level5Plan plan_;
  std::vector<std::string> names_;  // the top-level variables, checked on reading back
  int fd_ = -1;
  bool failed_ = false;
  std::string error_;
};

}  // namespace substitute_host::matfile_out
