#include "target_replay/row_files.h"

#include <cerrno>
#include <cstring>
#include <memory>

#include "replay/input_csv.h"
#include "replay/output_csv.h"
#include "table/output_file.h"

namespace substitute_host {
namespace {

using Status = ReplayOutcome::Status;

struct FileCloser {
  void operator()(std::FILE* f) const { std::fclose(f); }
};
using FileHandle = std::unique_ptr<std::FILE, FileCloser>;

ReplayOutcome outcome(Status status, std::uint64_t rows, std::string error) {
  return ReplayOutcome{status, rows, std::move(error)};
}

ReplayOutcome systemFailure(Status status, std::uint64_t rows, const std::string& what) {
  return outcome(status, rows, what + ": " + std::strerror(errno));
}

Status readerStatus(const InputCsvReader& reader) {
  return reader.readFailed() ? Status::readFailed : Status::badInput;
}

}  // namespace

ReplayOutcome writeInputRows(std::FILE* csv, const std::filesystem::path& rowsIn) {
  InputCsvReader reader(csv);
  if (!reader.readHeader()) return outcome(readerStatus(reader), 0, reader.error());
  FileHandle file(std::fopen(rowsIn.string().c_str(), "wb"));
  if (!file) return systemFailure(Status::writeFailed, 0, "creating the target's input");
  float row[kInputValueCount];
  std::uint64_t rows = 0;
  for (;;) {
    const InputCsvReader::Status status = reader.next(row);
    if (status == InputCsvReader::Status::end) break;
    if (status != InputCsvReader::Status::row)
      return outcome(readerStatus(reader), rows, reader.error());
    if (std::fwrite(row, sizeof row, 1, file.get()) != 1)
      return systemFailure(Status::writeFailed, rows, "writing the target's input");
    ++rows;
  }
  int closeError = 0;
  if (!closeChecked(file.release(), closeError)) {
    errno = closeError;
    return systemFailure(Status::writeFailed, rows, "writing the target's input");
  }
  return outcome(Status::ok, rows, {});
}

ReplayOutcome writeOutputCsv(const std::filesystem::path& rowsOut, std::uint64_t rows,
                             std::FILE* out) {
  FileHandle file(std::fopen(rowsOut.string().c_str(), "rb"));
  if (!file) return systemFailure(Status::targetFailed, 0, "the target wrote no output");
  OutputCsvWriter writer(out);
  writer.writeHeader();
  float row[kOutputValueCount];
  std::uint64_t done = 0;
  for (; done < rows; ++done) {
    if (std::fread(row, sizeof row, 1, file.get()) != 1) break;
    writer.writeRow(row);
    if (writer.failed()) break;
  }
  const bool flushed = writer.flush();
  if (!flushed || writer.failed()) {
    errno = writer.writeErrno();
    return systemFailure(Status::writeFailed, done, "writing the output failed");
  }
  if (done != rows)
    return outcome(Status::targetFailed, done,
                   "the target's output ends after " + std::to_string(done) + " of " +
                       std::to_string(rows) + " rows");
  if (std::fgetc(file.get()) != EOF)
    return outcome(Status::targetFailed, done,
                   "the target's output is longer than the " + std::to_string(rows) +
                       " rows it was given");
  return outcome(Status::ok, done, {});
}

}  // namespace substitute_host
