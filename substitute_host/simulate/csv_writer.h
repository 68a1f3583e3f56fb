#pragma once

#include <cstdio>
#include <string>

#include "plant/step_record.h"

namespace substitute_host::simulate {

// Writes step records as comma-separated rows under a header of column names with
// units. Block signals are printed as the exact single-precision values the block
// saw; plant quantities with ten significant digits.
class CsvWriter {
 public:
  explicit CsvWriter(std::FILE* out) : out_(out) {}

  bool writeHeader();
  bool write(const plant::StepRecord& record);  // false once a write has failed

 private:
  std::FILE* out_;
};

// Empty, or a warning that a run of `duration` seconds writing every `decimate`th step
// makes a CSV above a gigabyte, with its estimated size and the --decimate that would
// bring it under.
std::string csvSizeWarning(double duration, int decimate);

}  // namespace substitute_host::simulate
