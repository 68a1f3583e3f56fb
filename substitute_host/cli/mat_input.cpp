#include "mat_input.h"

#include <algorithm>

#if CORVALENT2_MAT_FILES
#include "matfile_in/mat_row_source.h"
#include "matfile_in/mat_sniff.h"
#endif

namespace substitute_host {

#if CORVALENT2_MAT_FILES

bool isMatInput(const std::string& path) {
  return path != "-" && matKindOfFile(path) != MatKind::none;
}

namespace {

MatInputShape shapeOf(const MatLayout& layout) {
  MatInputShape shape;
  shape.kind = layout.kind == MatLayoutKind::signalVariables ? MatInputShape::Kind::signalVariables
               : layout.kind == MatLayoutKind::structure   ? MatInputShape::Kind::structure
                                                             : MatInputShape::Kind::matrix;
  shape.variable = layout.variable;
  shape.rows = layout.rows;
  shape.hasTime =
      std::find(layout.names.begin(), layout.names.end(), "time") != layout.names.end();
  return shape;
}

}  // namespace

std::unique_ptr<RowSource> openMatRows(const std::string& path, const std::string& shownName,
                                       const std::string& variable, bool inputsOnly,
                                       std::string& error, MatInputShape* shape) {
  auto source = std::make_unique<MatRowSource>();
  MatReadOptions options;
  options.variable = variable;
  options.purpose = inputsOnly ? MatPurpose::inputs : MatPurpose::signals;
  if (source->open(path, shownName, options)) {
    if (shape != nullptr) *shape = shapeOf(source->layout());
    return source;
  }
  error = source->error();
  return nullptr;
}

#else

bool isMatInput(const std::string&) { return false; }

std::unique_ptr<RowSource> openMatRows(const std::string&, const std::string& shownName,
                                       const std::string&, bool, std::string& error,
                                       MatInputShape*) {
  error = shownName + ": this build reads no MAT files";
  return nullptr;
}

#endif

}  // namespace substitute_host
