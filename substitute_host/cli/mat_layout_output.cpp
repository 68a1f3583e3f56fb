#include "mat_layout_output.h"

#include <algorithm>

#if CORVALENT2_MAT_FILES
#include "matfile_out/level5_stream.h"
#include "replay/output_csv.h"
#endif

namespace substitute_host {

#if CORVALENT2_MAT_FILES

namespace {

using matfile_out::Level5Variable;

// Rows held before they go to the file: long runs, few writes.
constexpr std::size_t kHeldRows = 16384;

// Where one value of a row goes: an array (by slot) and its column.
struct Target {
  std::size_t slot = 0;
  std::size_t column = 0;
  bool single = true;
};

// Index 0 is the time, 1 to 6 the outputs.
using Targets = std::array<Target, kOutputSignalCount + 1>;

Level5Variable array(std::string name, std::uint64_t rows, std::size_t columns, bool single) {
  Level5Variable v;
  v.name = std::move(name);
  v.rows = static_cast<std::size_t>(rows);
  v.columns = columns;
  v.single = single;
  return v;
}

Level5Variable structure(std::string name, std::vector<Level5Variable> fields) {
  Level5Variable v;
  v.name = std::move(name);
  v.structure = true;
  v.fields = std::move(fields);
  return v;
}

std::vector<Level5Variable> signalVariables(const MatInputShape& shape, Targets& targets) {
  std::vector<Level5Variable> variables;
  for (std::size_t k = 0; k < kOutputSignalCount; ++k) {
    variables.push_back(array(std::string(kOutputColumns[k]), shape.rows, 1, true));
    targets[k + 1] = Target{k, 0, true};
  }
  if (shape.hasTime) variables.push_back(array("time", shape.rows, 1, false));
  targets[0] = Target{kOutputSignalCount, 0, false};
  return variables;
}

std::vector<Level5Variable> structureWithTime(const MatInputShape& shape, Targets& targets) {
  Level5Variable dimensions = array("dimensions", 1, 1, false);
  dimensions.fixedValues = {static_cast<double>(kOutputSignalCount)};
  Level5Variable signals = structure(
      "signals", {array("values", shape.rows, kOutputSignalCount, true), std::move(dimensions)});
  // Without a time the field stays, empty, as the host writes a structure without time.
  Level5Variable time = shape.hasTime ? array("time", shape.rows, 1, false) : array("time", 0, 0, false);
  targets[0] = Target{0, 0, false};
  for (std::size_t k = 0; k < kOutputSignalCount; ++k) targets[k + 1] = Target{1, k, true};
  return {structure(shape.variable, {std::move(time), std::move(signals)})};
}

std::vector<Level5Variable> matrix(const MatInputShape& shape, Targets& targets) {
  const std::size_t first = shape.hasTime ? 1 : 0;
  targets[0] = Target{0, 0, false};
  for (std::size_t k = 0; k < kOutputSignalCount; ++k) targets[k + 1] = Target{0, first + k, !shape.hasTime};
  return {array(shape.variable, shape.rows, first + kOutputSignalCount, !shape.hasTime)};
}

std::vector<Level5Variable> outputVariables(const MatInputShape& shape, Targets& targets) {
  switch (shape.kind) {
    case MatInputShape::Kind::signalVariables:
      return signalVariables(shape, targets);
    case MatInputShape::Kind::structure:
      return structureWithTime(shape, targets);
    case MatInputShape::Kind::matrix:
      break;
  }
  return matrix(shape, targets);
}

}  // namespace

struct MatLayoutOutput::State {
  matfile_out::Level5StreamFile file;
  Targets targets;
  bool withTime = false;
  std::uint64_t expectedRows = 0;
  std::uint64_t written = 0;  // rows in the file
  std::size_t held = 0;       // rows held, not yet in it
  std::vector<double> times;
  std::array<std::vector<float>, kOutputSignalCount> outputs;
  std::vector<double> doubles;  // one output column as doubles on its way out

  bool flushOutput(std::size_t k) {
    const Target& t = targets[k + 1];
    if (t.single) return file.write(t.slot, t.column, written, outputs[k].data(), held);
    std::copy(outputs[k].begin(), outputs[k].begin() + static_cast<long>(held), doubles.begin());
    return file.write(t.slot, t.column, written, doubles.data(), held);
  }

  bool flush() {
    if (withTime && !file.write(targets[0].slot, targets[0].column, written, times.data(), held))
      return false;
    for (std::size_t k = 0; k < kOutputSignalCount; ++k) {
      if (!flushOutput(k)) return false;
    }
    written += held;
    held = 0;
    return true;
  }
};

MatLayoutOutput::MatLayoutOutput() = default;
MatLayoutOutput::~MatLayoutOutput() = default;

bool MatLayoutOutput::open(const std::string& path, const MatInputShape& shape) {
  state_ = std::make_unique<State>();
  State& s = *state_;
  s.withTime = shape.hasTime;
  s.expectedRows = shape.rows;
  s.times.resize(kHeldRows);
  s.doubles.resize(kHeldRows);
  for (std::vector<float>& column : s.outputs) column.resize(kHeldRows);
  if (s.file.open(path, outputVariables(shape, s.targets))) return true;
  error_ = s.file.error();
  state_.reset();
  return false;
}

bool MatLayoutOutput::begin(bool withTime) { return state_ != nullptr && withTime == state_->withTime; }

bool MatLayoutOutput::row(double time, const float outputs[kOutputSignalCount]) {
  State& s = *state_;
  if (s.written + s.held >= s.expectedRows) {
    error_ = "the input holds more rows than it said";
    return false;
  }
  s.times[s.held] = time;
  for (std::size_t k = 0; k < kOutputSignalCount; ++k) s.outputs[k][s.held] = outputs[k];
  if (++s.held == kHeldRows && !s.flush()) {
    error_ = s.file.error();
    return false;
  }
  return true;
}

std::string MatLayoutOutput::error() const { return error_; }

bool MatLayoutOutput::commit() {
  if (state_ == nullptr) return false;
  State& s = *state_;
  if (s.held > 0 && !s.flush()) {
    error_ = s.file.error();
  } else if (s.written != s.expectedRows) {
    error_ = "the input ended after " + std::to_string(s.written) + " of its " +
             std::to_string(s.expectedRows) + " rows";
  } else if (s.file.commit()) {
    state_.reset();
    return true;
  } else {
    error_ = s.file.error();
  }
  abandon();
  return false;
}

void MatLayoutOutput::abandon() {
  if (state_ != nullptr) state_->file.abandon();
  state_.reset();
}

#else

struct MatLayoutOutput::State {};
MatLayoutOutput::MatLayoutOutput() = default;
MatLayoutOutput::~MatLayoutOutput() = default;
bool MatLayoutOutput::open(const std::string&, const MatInputShape&) {
  error_ = "this build of corvalent2 writes no MAT files: it was built without libmatio";
  return false;
}
bool MatLayoutOutput::begin(bool) { return false; }
bool MatLayoutOutput::row(double, const float[kOutputSignalCount]) { return false; }
std::string MatLayoutOutput::error() const { return error_; }
bool MatLayoutOutput::commit() { return false; }
void MatLayoutOutput::abandon() {}

#endif

}  // namespace substitute_host
