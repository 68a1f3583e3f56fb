#include "compare/compare_csv.h"

#include "compare/column_pairing.h"
#include "table/table_reader.h"

namespace substitute_host {
namespace {

using Status = CompareOutcome::Status;
using RowStatus = RowSource::Status;

Status statusOf(RowStatus status) {
  return status == RowStatus::readFailed ? Status::readFailed : Status::badInput;
}

CompareOutcome failed(Status status, std::string error) {
  CompareOutcome outcome;
  outcome.status = status;
  outcome.error = std::move(error);
  return outcome;
}

// Compares the current rows of a and b in every paired column; false with the bad
// field's message in error when a field is no number. verdict: the row's worst pair.
bool compareRow(RowSource& a, RowSource& b, const std::vector<PairedColumn>& paired,
                const Tolerance& tolerance, std::vector<ColumnTally>& tallies, PairVerdict& verdict,
                std::string& error) {
  verdict = PairVerdict::same;
  for (std::size_t column = 0; column < paired.size(); ++column) {
    const std::string_view textA = a.field(paired[column].fieldA);
    const std::string_view textB = b.field(paired[column].fieldB);
    float valueA = 0.0f, valueB = 0.0f;
    if (!a.readSingle(paired[column].fieldA, valueA)) {
      error = a.error();
      return false;
    }
    // The same text is the same single: one reading settles both.
    if (textA == textB) {
      tallySameText(tallies[column]);
      continue;
    }
    if (!b.readSingle(paired[column].fieldB, valueB)) {
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
CompareOutcome rowCountsDiffer(RowSource& longer, RowSource& shorter, std::uint64_t paired) {
  std::uint64_t remaining = 0;
  const RowStatus status = longer.countRemainingRows(remaining);
  if (status != RowStatus::end) return failed(statusOf(status), longer.error());
  return failed(Status::badInput,
                "the files have different row counts: " + shorter.sourceName() + " has " +
                    std::to_string(paired) + ", " + longer.sourceName() + " has " +
                    std::to_string(paired + 1 + remaining) + "; rows are paired in order");
}

// Reads the rows of both files in pairs, to their end, and tallies each pair; a file
// that ends first, or a row that cannot be compared, replaces the outcome with why.
void compareRows(RowSource& readerA, RowSource& readerB,
                 const std::vector<PairedColumn>& paired, const Tolerance& tolerance,
                 CompareOutcome& outcome) {
  for (;;) {
    const RowStatus statusA = readerA.next();
    if (statusA == RowStatus::badInput || statusA == RowStatus::readFailed) {
      outcome = failed(statusOf(statusA), readerA.error());
      return;
    }
    const RowStatus statusB = readerB.next();
    if (statusB == RowStatus::badInput || statusB == RowStatus::readFailed) {
      outcome = failed(statusOf(statusB), readerB.error());
      return;
    }
    if (statusA == RowStatus::end && statusB == RowStatus::end) return;
    if (statusA == RowStatus::end || statusB == RowStatus::end) {
      outcome = statusA == RowStatus::end ? rowCountsDiffer(readerB, readerA, outcome.rows)
                                          : rowCountsDiffer(readerA, readerB, outcome.rows);
      return;
    }
    PairVerdict verdict = PairVerdict::same;
    if (!compareRow(readerA, readerB, paired, tolerance, outcome.columns, verdict, outcome.error)) {
      outcome.status = Status::badInput;
      return;
    }
    ++outcome.rows;
    outcome.rowsDiffering += verdict != PairVerdict::same;
    outcome.rowsBeyondTolerance += verdict == PairVerdict::beyondTolerance;
  }
}

}  // namespace

bool CompareOutcome::withinTolerance() const {
  for (const ColumnTally& column : columns) {
    if (column.beyondTolerance != 0) return false;
  }
  return true;
}

CompareOutcome compareCsv(const CsvSource& a, const CsvSource& b, const CompareRequest& request) {
  TableReader readerA(a.stream, a.name), readerB(b.stream, b.name);
  if (!readerA.readHeader()) return failed(Status::badInput, readerA.error());
  if (!readerB.readHeader()) return failed(Status::badInput, readerB.error());
  return compareSources(readerA, readerB, request);
}

CompareOutcome compareSources(RowSource& readerA, RowSource& readerB,
                              const CompareRequest& request) {
  ColumnPairing pairing = pairColumns(readerA.names(), readerB.names(), request.columns,
                                      readerA.sourceName(), readerB.sourceName());
  if (!pairing.error.empty()) return failed(Status::badInput, pairing.error);

  CompareOutcome outcome;
  outcome.onlyInA = std::move(pairing.onlyInA);
  outcome.onlyInB = std::move(pairing.onlyInB);
  for (const PairedColumn& column : pairing.columns) {
    outcome.columns.emplace_back();
    outcome.columns.back().name = column.name;
  }

  compareRows(readerA, readerB, pairing.columns, request.tolerance, outcome);
  return outcome;
}

}  // namespace substitute_host
