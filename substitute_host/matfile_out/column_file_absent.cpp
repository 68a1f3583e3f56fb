// The MAT output of a build without libmatio: the interface stays, every file is refused.
#include "matfile_out/column_file.h"

namespace substitute_host::matfile_out {

struct MatColumnFile::State {};
class FinalName {};  // nothing is ever written to be named

std::uint64_t columnBytes(std::span<const MatColumn> columns, std::uint64_t rows) {
  std::uint64_t perRow = 0;
  for (const MatColumn& column : columns) perRow += column.single ? 4 : 8;
  return perRow * rows;
}

MatColumnFile::MatColumnFile() = default;
MatColumnFile::~MatColumnFile() = default;

bool MatColumnFile::open(const std::string&, MatVersion, const std::vector<MatColumn>&,
                         std::uint64_t) {
  error_ = "this build of corvalent2 writes no MAT files: it was built without libmatio";
  return false;
}

bool MatColumnFile::addColumn(const MatColumn&) { return false; }
bool MatColumnFile::appendRow(std::span<const double>) { return false; }
std::span<double> MatColumnFile::nextRow() { return {}; }
bool MatColumnFile::finishRow() { return false; }
void MatColumnFile::addText(std::string_view, std::string_view) {}
void MatColumnFile::addScalar(std::string_view, double) {}

bool MatColumnFile::commit() {
  if (error_.empty()) error_ = "the MAT file was not opened";
  return false;
}

void MatColumnFile::abandon() {}
std::uint64_t MatColumnFile::rows() const { return 0; }

}  // namespace substitute_host::matfile_out

#include "matfile_out/column_sample.h"

namespace substitute_host::matfile_out {

bool readEveryNthRow(const std::string&, const std::vector<std::string>&, std::uint64_t,
                     std::vector<std::vector<double>>&, std::string& error) {
  error = "this build of corvalent2 reads no MAT files: it was built without libmatio";
  return false;
}

}  // namespace substitute_host::matfile_out
