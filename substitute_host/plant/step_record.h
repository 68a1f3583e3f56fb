#pragma once

#include <cstddef>
#include <span>
#include <string_view>

#include "plant/controller_step.h"

namespace substitute_host::plant {

// Everything known about one control step, taken at its start: the block's inputs
// and the outputs it returned for them, and the plant state they were computed from.
struct StepRecord {
  double time;                        // s
  float inputs[kInputSignalCount];    // port order, ports flattened
  float outputs[kOutputSignalCount];  // vabcNorm1 then vabcNorm2

  struct Motor {
    double id;          // A
    double iq;          // A
    double torque;      // N m, at the motor shaft
    double modIndex;    // filtered, as the controller measures it
    double idealOmega;  // rad/s, the geometric split of the current mean speed
    double slip;        // longitudinal slip of its wheel
  } motor[2];

  double speed;    // m/s, centre of the rear axle
  double yawRate;  // rad/s
  double x;        // m
  double y;        // m
};

// One CSV column: its header and how to read it from a record. A block signal is named
// as in the block's port map; any other quantity carries its unit after the last
// underscore (none for ratios).
struct RecordColumn {
  std::string_view header;
  double (*read)(const StepRecord&);
  bool isFloat;  // a block signal: printed as the exact single it was
};

std::span<const RecordColumn> recordColumns();

// The number of those columns, and the values of a record in their order, read without
// a call per value: for a log that takes tens of thousands of records a second.
inline constexpr std::size_t kRecordColumnCount = 1 + kInputSignalCount + kOutputSignalCount + 16;
void recordValues(const StepRecord& record, std::span<double, kRecordColumnCount> values);

}  // namespace substitute_host::plant
