#include "replay/csv_replay.h"

#include <cstring>
#include <utility>

#include "replay/input_csv.h"
#include "replay/reader_replay.h"
#include "replay/output_csv.h"

namespace substitute_host {
namespace {

ReplayOutcome failed(ReplayOutcome::Status status, std::uint64_t rows, std::string error) {
  return ReplayOutcome{status, rows, std::move(error)};
}

ReplayOutcome writeFailure(const OutputCsvWriter& writer, std::uint64_t rows) {
  return failed(ReplayOutcome::Status::writeFailed, rows,
                std::string("writing the output failed: ") + std::strerror(writer.writeErrno()));
}

ReplayOutcome replayReader(InputCsvReader& reader, std::FILE* out, BlockStepFn step,
                           void* context) {
  if (!reader.readHeader()) {
    return failed(
        reader.readFailed() ? ReplayOutcome::Status::readFailed : ReplayOutcome::Status::badInput,
        0, reader.error());
  }
  OutputCsvWriter writer(out);
  writer.writeHeader();

  // One row's port buffers, reused for every step: the reader fills the inputs in
  // place and the writer reads the outputs where the step left them.
  PortRow ports;

  std::uint64_t rows = 0;
  for (;;) {
    const InputCsvReader::Status status = reader.next(ports.inputs);
    if (status == InputCsvReader::Status::end) break;
    if (status != InputCsvReader::Status::row) {
      // The good rows reach the stream before anyone reads the complaint.
      if (!writer.flush()) return writeFailure(writer, rows);
      return failed(status == InputCsvReader::Status::badInput ? ReplayOutcome::Status::badInput
                                                               : ReplayOutcome::Status::readFailed,
                    rows, reader.error());
    }
    step(context, ports.inputPorts, ports.outputPorts);
    writer.writeRow(ports.outputs);
    if (writer.failed()) return writeFailure(writer, rows);
    ++rows;
  }
  if (!writer.flush()) return writeFailure(writer, rows);
  return ReplayOutcome{ReplayOutcome::Status::ok, rows, {}};
}

ReplayOutcome replayGuarded(std::FILE* in, RowSource* source, std::FILE* out, BlockStepFn step,
                            void* context) noexcept {
  return replayFromReader(in, source, [&](InputCsvReader& reader) {
    return replayReader(reader, out, step, context);
  });
}

}  // namespace

ReplayOutcome replayCsv(std::FILE* in, std::FILE* out, BlockStepFn step, void* context) noexcept {
  return replayGuarded(in, nullptr, out, step, context);
}

ReplayOutcome replayRows(RowSource& in, std::FILE* out, BlockStepFn step, void* context) noexcept {
  return replayGuarded(nullptr, &in, out, step, context);
}

}  // namespace substitute_host
