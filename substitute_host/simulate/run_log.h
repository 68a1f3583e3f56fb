#pragma once

#include <cstdint>
#include <filesystem>
#include <ostream>
#include <string>

#include "matfile_out/column_file.h"
#include "plant/step_record.h"
#include "table/output_file.h"

namespace substitute_host::simulate {

enum class LogFormat {
  csv,   // <name>.csv, text
  mat,   // <name>.mat, one variable per column and the run's metadata
  none,  // no log at all: the summary alone
};

// What the MAT log carries beside its columns.
struct LogMetadata {
  std::string scenarioText;  // the scenario as written
  std::string toolVersion;
};

// The closed loop's log in the format asked for, under <dir>/<name>.<csv|mat>: opened
// before the run, fed every recorded step, and given its name only when committed (a
// run that failed abandons it, and an earlier file of that name stays).
class RunLog {
 public:
  RunLog(LogFormat format, matfile_out::MatVersion version) : format_(format), version_(version) {}

  // Creates the folder and starts the file; false with the reason on err. rows is how
  // many the run will record (a level-5 file's memory is checked against it).
  bool open(const std::filesystem::path& dir, const std::string& name, std::uint64_t rows,
            const LogMetadata& metadata, std::ostream& err);
  bool write(const plant::StepRecord& record);
  // Gives the file its name; false with the reason on err. A log that was never opened
  // commits as nothing.
  bool commit(std::ostream& err);

  // Why the last write failed, when the format knows (empty otherwise).
  std::string writeError() const { return format_ == LogFormat::mat ? mat_.error() : ""; }

  bool isOpen() const { return open_; }
  const std::filesystem::path& path() const { return path_; }
  std::uint64_t rows() const { return rows_; }

 private:
  bool openCsv(std::ostream& err);
  bool openMat(std::uint64_t rows, const LogMetadata& metadata, std::ostream& err);

  LogFormat format_;
  matfile_out::MatVersion version_;
  bool open_ = false;
  std::filesystem::path path_;
  std::uint64_t rows_ = 0;
  OutputFile csv_;
  matfile_out::MatColumnFile mat_;
};

}  // namespace substitute_host::simulate
