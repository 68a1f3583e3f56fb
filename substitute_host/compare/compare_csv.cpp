#include "compare/compare_csv.h"

#include "compare/column_pairing.h"
#include "compare/csv_rows.h"
#include "replay/input_value.h"

namespace substitute_host {
namespace {

using Status = CompareOutcome::Status;

Status statusOf(CsvRowReader::Status status) {
  return status == CsvRowReader::Status::readFailed ? Status::readFailed : Status::badInput;
}

CompareOutcome failed(Status status, std::string error) {
  CompareOutcome outcome;
  outcome.status = status;
  outcome.error = std::move(error);
  return outcome;
}

// Reads field as a single, or records why it is none.
bool readValue(CsvRowReader& reader, std::size_t field, float& value) {
  const std::string_view text = reader.field(field);
  if (parseInputValue(text, value)) return true;
  const std::string_view shown = trimField(text);
  reader.failField(field, shown.empty()          ? "the field is empty"
                          : shown.front() == '"' ? "quoted fields are not supported"
                                                 : quotedForMessage(shown) + " is not a number");
  return false;
}

// Compares the current rows of a and b in every paired column; false with the bad
// field's message in error when a field is no number. verdict: the row's worst pair.
bool compareRow(CsvRowReader& a, CsvRowReader& b, const std::vector<PairedColumn>& paired,
                const Tolerance& tolerance, std::vector<ColumnTally>& tallies, PairVerdict& verdict,
                std::string& error) {
  verdict = PairVerdict::same;
  for (std::size_t column = 0; column < paired.size(); ++column) {
    const std::string_view textA = a.field(paired[column].fieldA);
    const std::string_view textB = b.field(paired[column].fieldB);
    float valueA = 0.0f, valueB = 0.0f;
    if (!readValue(a, paired[column].fieldA, valueA)) {
      error = a.error();
      return false;
    }
    // The same text is the same single: one reading settles both.
    if (textA == textB) {
      tallySameText(tallies[column]);
      continue;
    }
    if (!readValue(b, paired[column].fieldB, valueB)) {
      error = b.error();
      return false;
    }
    const PairVerdict pair = tallyPair(tallies[column], a.rowNumber(), a.lineNumber(), textA, textB,
                                       valueA, valueB, tolerance);
    if (pair > verdict) verdict = pair;
  }
  return true;
}

// One file ended before the other: the message gives both row counts in full.
CompareOutcome rowCountsDiffer(CsvRowReader& longer, CsvRowReader& shorter, std::uint64_t paired) {
  std::uint64_t remaining = 0;
  const CsvRowReader::Status status = longer.countRemainingRows(remaining);
  if (status != CsvRowReader::Status::end) return failed(statusOf(status), longer.error());
  return failed(Status::badInput,
                "the files have different row counts: " + shorter.sourceName() + " has " +
                    std::to_string(paired) + ", " + longer.sourceName() + " has " +
                    std::to_string(paired + 1 + remaining) + "; rows are paired in order");
}

}  // namespace

bool CompareOutcome::withinTolerance() const {
  for (const ColumnTally& column : columns) {
    if (column.beyondTolerance != 0) return false;
  }
  return true;
}

CompareOutcome compareCsv(const CsvSource& a, const CsvSource& b, const CompareRequest& request) {
  CsvRowReader readerA(a.stream, a.name), readerB(b.stream, b.name);
  if (!readerA.readHeader()) return failed(Status::badInput, readerA.error());
  if (!readerB.readHeader()) return failed(Status::badInput, readerB.error());
  ColumnPairing pairing =
      pairColumns(readerA.names(), readerB.names(), request.columns, a.name, b.name);
  if (!pairing.error.empty()) return failed(Status::badInput, pairing.error);

  CompareOutcome outcome;
  outcome.onlyInA = std::move(pairing.onlyInA);
  outcome.onlyInB = std::move(pairing.onlyInB);
  for (const PairedColumn& column : pairing.columns) {
    outcome.columns.emplace_back();
    outcome.columns.back().name = column.name;
  }

  for (;;) {
    const CsvRowReader::Status statusA = readerA.next();
    if (statusA == CsvRowReader::Status::badInput || statusA == CsvRowReader::Status::readFailed)
      return failed(statusOf(statusA), readerA.error());
    const CsvRowReader::Status statusB = readerB.next();
    if (statusB == CsvRowReader::Status::badInput || statusB == CsvRowReader::Status::readFailed)
      return failed(statusOf(statusB), readerB.error());
    if (statusA == CsvRowReader::Status::end && statusB == CsvRowReader::Status::end) break;
    if (statusA == CsvRowReader::Status::end)
      return rowCountsDiffer(readerB, readerA, outcome.rows);
    if (statusB == CsvRowReader::Status::end)
      return rowCountsDiffer(readerA, readerB, outcome.rows);
    PairVerdict verdict = PairVerdict::same;
    if (!compareRow(readerA, readerB, pairing.columns, request.tolerance, outcome.columns, verdict,
                    outcome.error)) {
      outcome.status = Status::badInput;
      return outcome;
    }
    ++outcome.rows;
    outcome.rowsDiffering += verdict != PairVerdict::same;
    outcome.rowsBeyondTolerance += verdict == PairVerdict::beyondTolerance;
  }
  return outcome;
}

}  // namespace substitute_host
