#include "matfile_in/mat_row_source.h"

#include <algorithm>
#include <climits>
#include <cstring>
#include <new>

#include "matfile_in/mat_labels.h"
#include "matfile_in/mat_level5_label.h"
#include "matfile_in/mat_probe.h"
#include "matfile_in/mat_sniff.h"
#include "matfile_in/mat_structure.h"
#include "matfile_in/mat_variable.h"
#include "text/display_text.h"

namespace substitute_host {
namespace {

// The MAT library reports its troubles on standard error; each of them reaches the user
// here as one message of the tool's instead.
void quiet(int, char*) {}

void silenceLibraryMessages() {
  static const bool silenced = [] {
    Mat_LogInitFunc("corvalent2", quiet);
    return true;
  }();
  (void)silenced;
}

std::size_t valueBytes(const matvar_t& variable) {
  return variable.class_type == MAT_C_DOUBLE ? sizeof(double) : sizeof(float);
}

bool isCompressed(const matvar_t& variable) {
  return variable.compression == MAT_COMPRESSION_ZLIB;
}

// Converts rows [first, first + rows) of a column-major block whose columns are
// `stride` values apart into the slab, row by row (`width` values a row), each the
// nearest single: a row's values then lie side by side for the reader of rows.
template <typename Value>
void transpose(const Value* data, std::size_t stride, std::size_t rows, std::size_t columns,
               float* out, std::size_t width) {
  // Row by row: the columns are read as parallel runs and each row written whole.
  for (std::size_t row = 0; row < rows; ++row) {
    float* to = out + row * width;
    for (std::size_t column = 0; column < columns; ++column) {
      to[column] = static_cast<float>(data[column * stride + row]);
    }
  }
}

void convert(const void* data, const matvar_t& variable, std::size_t stride, std::size_t first,
             std::size_t rows, std::size_t columns, float* out, std::size_t width) {
  if (variable.class_type == MAT_C_DOUBLE) {
    transpose(static_cast<const double*>(data) + first, stride, rows, columns, out, width);
  } else {
    transpose(static_cast<const float*>(data) + first, stride, rows, columns, out, width);
  }
}

// The same for one column of the block, as doubles: a time keeps its precision.
void convertDoubles(const void* data, const matvar_t& variable, std::size_t stride,
                    std::size_t first, std::size_t rows, std::size_t column, double* out) {
  if (variable.class_type == MAT_C_DOUBLE) {
    const double* from = static_cast<const double*>(data) + column * stride + first;
    std::memcpy(out, from, rows * sizeof(double));
  } else {
    const float* from = static_cast<const float*>(data) + column * stride + first;
    for (std::size_t row = 0; row < rows; ++row) out[row] = from[row];
  }
}

}  // namespace

MatRowSource::~MatRowSource() { close(); }

void MatRowSource::close() {
  for (matvar_t* variable : variables_) Mat_VarFree(variable);
  variables_.clear();
  if (file_ != nullptr) Mat_Close(file_);
  file_ = nullptr;
}

bool MatRowSource::fail(const std::string& message) {
  error_ = sourceName_.empty() ? message : sourceName_ + ": " + message;
  return false;
}

bool MatRowSource::failHeader(const std::string& message) { return fail(message); }

bool MatRowSource::open(const std::string& path, const std::string& shownName,
                        const MatReadOptions& options) noexcept {
  try {
    close();
    sourceName_ = displayText(shownName, kWholeText);
    slabRows_ = std::max<std::size_t>(options.slabRows, 1);
    return openFile(path, options);
  } catch (const std::bad_alloc&) {
    error_ = "out of memory reading the MAT file";
    return false;
  }
}

bool MatRowSource::readVariableList() {
  while (matvar_t* variable = Mat_VarReadNextInfo(file_)) {
    variables_.push_back(variable);
  }
  return true;
}

bool MatRowSource::openFile(const std::string& path, const MatReadOptions& options) {
  const MatKind kind = matKindOfFile(path);
  if (kind == MatKind::none) return fail("not a MAT file");
  std::string problem;
  if (!checkMatOutline(path, kind, options.wholeReadLimitBytes, problem)) return fail(problem);
  if (kind == MatKind::hdf5 && options.probeInChild && !probeInChild(path, options, problem)) {
    return fail(problem);
  }
  silenceLibraryMessages();
  file_ = Mat_Open(path.c_str(), MAT_ACC_RDONLY);
  if (file_ == nullptr) return fail("the file cannot be read as a MAT file: it is damaged or truncated");
  readVariableList();
  if (variables_.empty()) {
    return fail("the file holds no variable that can be read: it is empty, damaged or truncated");
  }
  if (!chooseMatLayout(variables_, options.variable, options.purpose, layout_, problem)) {
    return fail(problem);
  }
  if (layout_.rows > static_cast<std::uint64_t>(INT_MAX)) {
    return fail("variable " + quotedForMessage(layout_.blocks.front().shownName) + " has " +
                std::to_string(layout_.rows) + " rows, more than can be read");
  }
  const bool compressed = std::any_of(layout_.blocks.begin(), layout_.blocks.end(),
                                      [](const MatColumnBlock& block) { return isCompressed(*block.variable); });
  if (kind == MatKind::level5 && compressed && !readCompressedWhole(options)) return false;
  if (layout_.kind == MatLayoutKind::structure && !applyLabels(path, kind)) return false;
  slab_.assign(layout_.names.size() * slabRows_, 0.0f);
  timeColumn_ = static_cast<std::size_t>(
      std::find(layout_.names.begin(), layout_.names.end(), "time") - layout_.names.begin());
  if (timeColumn_ < layout_.names.size()) times_.assign(slabRows_, 0.0);
  std::size_t widest = 0;
  for (const MatColumnBlock& block : layout_.blocks) widest = std::max(widest, block.columns);
  raw_.resize(widest * slabRows_ * sizeof(double));
  return true;
}

// Reads the layout's variables whole, within the stated bound, and finds the layout
// again among the variables read.
bool MatRowSource::readCompressedWhole(const MatReadOptions& options) {
  std::uint64_t bytes = 0;
  for (const MatColumnBlock& block : layout_.blocks) {
    bytes += layout_.rows * block.columns * valueBytes(*block.variable);
  }
  if (bytes > options.wholeReadLimitBytes) {
    return fail("variable " + quotedForMessage(layout_.sources.front()) +
                " is compressed and holds " + mebibytes(bytes) + " of values, more than the " +
                mebibytes(options.wholeReadLimitBytes) + kCompressedAdvice);
  }
  for (const std::string& name : layout_.sources) {
    const auto at = std::find_if(variables_.begin(), variables_.end(),
                                 [&](const matvar_t* v) { return v->name != nullptr && name == v->name; });
    matvar_t* whole = Mat_VarRead(file_, name.c_str());
    if (whole == nullptr) {
      return fail("variable " + quotedForMessage(name) + " cannot be read: the file is damaged");
    }
    Mat_VarFree(*at);
    *at = whole;
  }
  std::string problem;
  if (!chooseMatLayout(variables_, options.variable, options.purpose, layout_, problem)) {
    return fail(problem);
  }
  return true;
}

// A structure with time whose signals.label names its columns, in any order: read
// from the level-5 file itself, or from the variable when it was read whole (a
// compressed one). An empty label names nothing: port order stands.
bool MatRowSource::applyLabels(const std::string& path, MatKind kind) {
  const auto at = std::find_if(variables_.begin(), variables_.end(), [&](const matvar_t* v) {
    return v->name != nullptr && layout_.variable == v->name;
  });
  matvar_t* signals = at == variables_.end() ? nullptr : matField(**at, "signals");
  matvar_t* label = signals == nullptr ? nullptr : matField(*signals, "label");
  if (label == nullptr || (label->rank == 2 && label->dims[0] * label->dims[1] == 0)) return true;
  const std::string labelName = layout_.variable + ".signals.label";
  std::vector<std::string> labels;
  bool read = false;
  if (kind == MatKind::level5 && !isCompressed(**at)) {
    read = readLevel5Labels(path, layout_.variable, labels) == LabelRead::found;
  } else if (kind == MatKind::level5) {
    read = labelsFromVariable(*label, labels);
  } else {
    return fail("variable " + quotedForMessage(labelName) +
                " cannot be read from a 7.3 file here; save the file with -v6 or -v7, or "
                "without the label to take the values in port order");
  }
  if (!read) {
    return fail("variable " + quotedForMessage(labelName) +
                " is neither a char matrix nor a cell of strings naming the signals");
  }
  std::string problem;
  return applyMatLabels(labels, labelName, layout_, problem) || fail(problem);
}

// A level-5 file is read column by column: the library reads a run of values of one
// column in one go, but a block of several columns value by value. HDF5 reads the block.
bool MatRowSource::readSlabOf(const MatColumnBlock& block, std::size_t rows) {
  if (Mat_GetVersion(file_) == MAT_FT_MAT73) {
    int start[2] = {static_cast<int>(slabFirstRow_), 0};
    int stride[2] = {1, 1};
    int edge[2] = {static_cast<int>(rows), static_cast<int>(block.columns)};
    return Mat_VarReadData(file_, block.variable, raw_.data(), start, stride, edge) == 0;
  }
  const std::size_t bytes = valueBytes(*block.variable);
  for (std::size_t column = 0; column < block.columns; ++column) {
    const std::uint64_t first = column * layout_.rows + slabFirstRow_;
    if (first + rows > static_cast<std::uint64_t>(INT_MAX)) return false;
    const auto start = static_cast<int>(first);
    if (Mat_VarReadDataLinear(file_, block.variable, raw_.data() + column * rows * bytes, start, 1,
                              static_cast<int>(rows)) != 0) {
      return false;
    }
  }
  return true;
}

bool MatRowSource::readBlock(const MatColumnBlock& block, std::size_t firstColumn,
                             std::size_t rows) {
  const matvar_t& variable = *block.variable;
  float* out = slab_.data() + firstColumn;
  const std::size_t width = layout_.names.size();
  if (variable.data != nullptr) {
    if (variable.nbytes < layout_.rows * block.columns * valueBytes(variable)) {
      return fail("variable " + quotedForMessage(block.shownName) + " holds fewer values than its size says: the file is damaged");
    }
    convert(variable.data, variable, layout_.rows, slabFirstRow_, rows, block.columns, out, width);
    if (timeColumn_ >= firstColumn && timeColumn_ < firstColumn + block.columns) {
      convertDoubles(variable.data, variable, layout_.rows, slabFirstRow_, rows,
                     timeColumn_ - firstColumn, times_.data());
    }
    return true;
  }
  if (!readSlabOf(block, rows)) {
    return fail("reading rows " + std::to_string(slabFirstRow_ + 1) + " to " +
                std::to_string(slabFirstRow_ + rows) + " of variable " +
                quotedForMessage(block.shownName) + " failed: the file is damaged or truncated");
  }
  convert(raw_.data(), variable, rows, 0, rows, block.columns, out, width);
  if (timeColumn_ >= firstColumn && timeColumn_ < firstColumn + block.columns) {
    convertDoubles(raw_.data(), variable, rows, 0, rows, timeColumn_ - firstColumn, times_.data());
  }
  return true;
}

bool MatRowSource::readDouble(std::size_t index, double& value) {
  if (index == timeColumn_) {
    value = times_[inSlab_];
    return true;
  }
  float single = 0.0f;
  readSingle(index, single);
  value = single;
  return true;
}

bool MatRowSource::fillSlab() {
  slabFilled_ = static_cast<std::size_t>(
      std::min<std::uint64_t>(slabRows_, layout_.rows - slabFirstRow_));
  std::size_t column = 0;
  for (const MatColumnBlock& block : layout_.blocks) {
    if (!readBlock(block, column, slabFilled_)) return false;
    column += block.columns;
  }
  return true;
}

RowSource::Status MatRowSource::next() {
  if (row_ >= layout_.rows) return Status::end;
  if (row_ > 0 && inSlab_ + 1 < slabFilled_) {
    ++inSlab_;
  } else {
    slabFirstRow_ = row_;
    inSlab_ = 0;
    if (!fillSlab()) return Status::badInput;
  }
  ++row_;
  return Status::row;
}

std::string_view MatRowSource::field(std::size_t index) {
  float value = 0.0f;
  readSingle(index, value);
  const char* end = formatOutputValue(value, text_);
  return std::string_view(text_, static_cast<std::size_t>(end - text_));
}

RowSource::Status MatRowSource::countRemainingRows(std::uint64_t& rows) {
  rows = layout_.rows - row_;
  row_ = layout_.rows;
  return Status::end;
}

}  // namespace substitute_host
