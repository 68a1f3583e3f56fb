#include "replay/row_sink_replay.h"

#include <utility>

#include "replay/input_csv.h"
#include "replay/reader_replay.h"

namespace substitute_host {
namespace {

ReplayOutcome failed(ReplayOutcome::Status status, std::uint64_t rows, std::string error) {
  return ReplayOutcome{status, rows, std::move(error)};
}

ReplayOutcome readFailure(const InputCsvReader& reader, InputCsvReader::Status status,
                          std::uint64_t rows) {
  return failed(status == InputCsvReader::Status::badInput ? ReplayOutcome::Status::badInput
                                                           : ReplayOutcome::Status::readFailed,
                rows, reader.error());
}

ReplayOutcome replayReader(InputCsvReader& reader, ReplayRowSink& sink, BlockStepFn step,
                           void* context) {
  if (!reader.readHeader()) {
    return failed(
        reader.readFailed() ? ReplayOutcome::Status::readFailed : ReplayOutcome::Status::badInput,
        0, reader.error());
  }
  if (!sink.begin(reader.hasTime()))
    return failed(ReplayOutcome::Status::writeFailed, 0, sink.error());
  PortRow ports;  // reused for every step, as in the CSV replay
  std::uint64_t rows = 0;
  for (;;) {
    InputCsvReader::Status status = reader.next(ports.inputs);
    if (status == InputCsvReader::Status::end) break;
    double time = 0.0;
    if (status == InputCsvReader::Status::row && reader.hasTime()) status = reader.readTime(time);
    if (status != InputCsvReader::Status::row) return readFailure(reader, status, rows);
    step(context, ports.inputPorts, ports.outputPorts);
    if (!sink.row(time, ports.outputs))
      return failed(ReplayOutcome::Status::writeFailed, rows, sink.error());
    ++rows;
  }
  return ReplayOutcome{ReplayOutcome::Status::ok, rows, {}};
}

ReplayOutcome replayGuarded(std::FILE* in, RowSource* source, ReplayRowSink& sink,
                            BlockStepFn step, void* context) noexcept {
  return replayFromReader(in, source, [&](InputCsvReader& reader) {
    return replayReader(reader, sink, step, context);
  });
}

}  // namespace

ReplayOutcome replayToSink(std::FILE* in, ReplayRowSink& sink, BlockStepFn step,
                           void* context) noexcept {
  return replayGuarded(in, nullptr, sink, step, context);
}

ReplayOutcome replayRowsToSink(RowSource& in, ReplayRowSink& sink, BlockStepFn step,
                               void* context) noexcept {
  return replayGuarded(nullptr, &in, sink, step, context);
}

}  // namespace substitute_host
