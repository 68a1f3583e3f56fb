#include "compare/compare_report.h"

#include <algorithm>
#include <cinttypes>

#include "compare/single_distance.h"
#include "text/display_text.h"

namespace substitute_host {
namespace {

std::string rowText(const DifferingRow& row) {
  if (row.row == 0) return "-";
  // A file of numbers has rows but no lines: line 0.
  const std::string line = row.line == 0 ? "" : " (line " + std::to_string(row.line) + ")";
  return "row " + std::to_string(row.row) + line + ": " + row.textA + " | " + row.textB;
}

// The first few names, and how many more: a log of many columns against a replay's six
// would otherwise fill the screen with what was never in question.
std::string listed(const std::vector<std::string>& names) {
  constexpr std::size_t kShown = 8;
  std::string text;
  for (std::size_t i = 0; i < names.size() && i < kShown; ++i) {
    text += (i == 0 ? "" : ", ") + quotedForMessage(names[i]);
  }
  if (names.size() > kShown) text += " and " + std::to_string(names.size() - kShown) + " more";
  return text;
}

bool writeTable(std::FILE* out, const CompareOutcome& outcome) {
  int width = 6;
  for (const ColumnTally& column : outcome.columns) {
    width = std::max(width, static_cast<int>(displayText(column.name, kWholeText).size()));
  }
  bool ok =
      std::fprintf(out, "%-*s %12s %12s %12s %12s %12s  first differing row (A | B)\n", width,
                   "column", "rows", "differing", "beyond tol.", "largest ULP", "other text") >= 0;
  for (const ColumnTally& column : outcome.columns) {
    ok = ok &&
         std::fprintf(
             out, "%-*s %12" PRIu64 " %12" PRIu64 " %12" PRIu64 " %12s %12" PRIu64 "  %s\n", width,
             displayText(column.name, kWholeText).c_str(), column.rows, column.differing,
             column.beyondTolerance, distanceText(column.largestDistance).c_str(),
             column.sameValueOtherText, rowText(column.firstDiffering).c_str()) >= 0;
  }
  return ok;
}

// A tolerance lets the first differing rows pass; the first that does not is worth a
// line of its own.
bool writeFirstBeyondTolerance(std::FILE* out, const CompareOutcome& outcome) {
  bool ok = true;
  for (const ColumnTally& column : outcome.columns) {
    if (column.firstBeyondTolerance.row == 0 ||
        column.firstBeyondTolerance.row == column.firstDiffering.row)
      continue;
    ok = ok && std::fprintf(out, "%s: first row beyond the tolerance: %s\n",
                            displayText(column.name, kWholeText).c_str(),
                            rowText(column.firstBeyondTolerance).c_str()) >= 0;
  }
  return ok;
}

std::size_t columnsBeyondTolerance(const CompareOutcome& outcome) {
  return static_cast<std::size_t>(
      std::count_if(outcome.columns.begin(), outcome.columns.end(),
                    [](const ColumnTally& column) { return column.beyondTolerance != 0; }));
}

// A CSV field for a column name: names cannot hold commas, but may hold quotes.
std::string csvName(const std::string& name) {
  if (name.find_first_of("\"\r") == std::string::npos) return name;
  std::string quoted = "\"";
  for (const char c : name) quoted += c == '"' ? std::string("\"\"") : std::string(1, c);
  return quoted + "\"";
}

std::string csvRow(const DifferingRow& row) {
  if (row.row == 0) return ",,,";
  return std::to_string(row.row) + "," + std::to_string(row.line) + "," + row.textA + "," +
         row.textB;
}

}  // namespace

std::string distanceText(std::uint64_t distance) {
  return distance == kNanAgainstNumber ? "inf" : std::to_string(distance);
}

bool writeTextReport(std::FILE* out, const CompareOutcome& outcome, const Tolerance& tolerance,
                     const std::string& nameA, const std::string& nameB) {
  bool ok =
      std::fprintf(out,
                   "A: %s\nB: %s\n%" PRIu64 " rows, %zu columns, tolerance %" PRIu64
                   " ULP, +0 and -0 %s\n",
                   displayText(nameA, kWholeText).c_str(), displayText(nameB, kWholeText).c_str(),
                   outcome.rows, outcome.columns.size(), tolerance.ulp,
                   tolerance.ignoreZeroSign ? "the same" : "differ") >= 0;
  ok = ok && writeTable(out, outcome) && writeFirstBeyondTolerance(out, outcome);
  if (!outcome.onlyInA.empty()) {
    ok = ok &&
         std::fprintf(out, "not compared, only in A: %s\n", listed(outcome.onlyInA).c_str()) >= 0;
  }
  if (!outcome.onlyInB.empty()) {
    ok = ok &&
         std::fprintf(out, "not compared, only in B: %s\n", listed(outcome.onlyInB).c_str()) >= 0;
  }
  ok = ok && std::fprintf(out,
                          "rows: %" PRIu64 " compared, %" PRIu64 " differ in some column, %" PRIu64
                          " beyond the tolerance\n",
                          outcome.rows, outcome.rowsDiffering, outcome.rowsBeyondTolerance) >= 0;
  const std::size_t beyond = columnsBeyondTolerance(outcome);
  ok = ok &&
       (beyond == 0 ? std::fprintf(out, "result: all %zu columns agree within the tolerance\n",
                                   outcome.columns.size())
                    : std::fprintf(out, "result: %zu of %zu columns differ beyond the tolerance\n",
                                   beyond, outcome.columns.size())) >= 0;
  return ok && std::fflush(out) == 0 && !std::ferror(out);
}

bool writeCsvReport(std::FILE* out, const CompareOutcome& outcome) {
  bool ok = std::fputs(
                "column,rows,differing_rows,beyond_tolerance_rows,largest_ulp,"
                "same_value_other_text,first_differing_row,first_differing_line,"
                "first_differing_a,first_differing_b,first_beyond_tolerance_row,"
                "first_beyond_tolerance_line,first_beyond_tolerance_a,"
                "first_beyond_tolerance_b\n",
                out) >= 0;
  for (const ColumnTally& column : outcome.columns) {
    ok = ok && std::fprintf(out, "%s,%" PRIu64 ",%" PRIu64 ",%" PRIu64 ",%s,%" PRIu64 ",%s,%s\n",
                            csvName(column.name).c_str(), column.rows, column.differing,
                            column.beyondTolerance, distanceText(column.largestDistance).c_str(),
                            column.sameValueOtherText, csvRow(column.firstDiffering).c_str(),
                            csvRow(column.firstBeyondTolerance).c_str()) >= 0;
  }
  return ok && std::fflush(out) == 0 && !std::ferror(out);
}

}  // namespace substitute_host
