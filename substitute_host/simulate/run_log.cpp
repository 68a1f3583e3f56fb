#include "simulate/run_log.h"

#include <system_error>

#include "simulate/csv_writer.h"
#include "simulate/mat_log.h"
#include "simulate/output_messages.h"

namespace substitute_host::simulate {

namespace fs = std::filesystem;

bool RunLog::open(const fs::path& dir, const std::string& name, std::uint64_t rows,
                  const LogMetadata& metadata, std::ostream& err) {
  if (format_ == LogFormat::none || dir.empty()) return true;
  std::error_code ec;
  fs::create_directories(dir, ec);
  if (ec) {
    err << "simulate: cannot create " << shownPath(dir) << ": " << ec.message() << '\n';
    return false;
  }
  path_ = dir / (name + (format_ == LogFormat::csv ? ".csv" : ".mat"));
  open_ = format_ == LogFormat::csv ? openCsv(err) : openMat(rows, metadata, err);
  return open_;
}

bool RunLog::openCsv(std::ostream& err) {
  if (csv_.open(path_.string()) && CsvWriter(csv_.stream()).writeHeader()) return true;
  err << "simulate: cannot write " << shownPath(path_) << ": " << csv_.error() << '\n';
  return false;
}

bool RunLog::openMat(std::uint64_t rows, const LogMetadata& metadata, std::ostream& err) {
  if (!mat_.open(path_.string(), version_, matLogColumns(), rows)) {
    err << "simulate: cannot write " << shownPath(path_) << ": " << mat_.error() << '\n';
    return false;
  }
  mat_.addText(kScenarioVariable, metadata.scenarioText);
  mat_.addScalar(kSampleTimeVariable, plant::kControlStep);
  mat_.addText(kVersionVariable, metadata.toolVersion);
  return true;
}

bool RunLog::write(const plant::StepRecord& record) {
  if (!open_) return true;
  const bool written = format_ == LogFormat::csv ? CsvWriter(csv_.stream()).write(record)
                                                 : writeMatRow(mat_, record);
  if (written) ++rows_;
  return written;
}

bool RunLog::commit(std::ostream& err) {
  if (!open_) return true;
  open_ = false;
  const bool committed = format_ == LogFormat::csv ? csv_.commit() : mat_.commit();
  if (committed) return true;
  const std::string& why = format_ == LogFormat::csv ? csv_.error() : mat_.error();
  err << "simulate: writing " << shownPath(path_) << " failed: " << why << '\n';
  return false;
}

}  // namespace substitute_host::simulate
