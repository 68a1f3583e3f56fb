#include "compare_command.h"

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "checked_output.h"
#include "compare/compare_csv.h"
#include "compare/compare_report.h"
#include "mat_input.h"
#include "same_file.h"
#include "table/output_file.h"
#include "table/table_reader.h"

namespace substitute_host {
namespace {

// compare answers a question, as cmp does: 1 is "they differ", so every failure to
// answer, a failed write among them, is 2.
constexpr int kExitWithinTolerance = 0;
constexpr int kExitBeyondTolerance = 1;
constexpr int kExitCannotCompare = 2;

struct CompareOptions {
  std::string fileA;
  std::string fileB;
  std::vector<std::string> columns;
  std::string variable;
  std::int64_t toleranceUlp = 0;
  bool ignoreZeroSign = false;
  std::string report;
};

void complain(const std::string& message) {
  std::fprintf(stderr, "corvalent2 compare: %s\n", message.c_str());
}

// "-" names standard input as a file to compare, standard output as the report.
bool isStandardStream(const std::string& path) { return path == "-"; }

// An open input that closes itself; standard input stays open. Its rows come from
// the CSV text or, when its content shows a MAT file, from that file.
struct Input {
  std::FILE* stream = nullptr;
  std::string name;
  std::unique_ptr<RowSource> rows;
  ~Input() {
    if (stream != nullptr && stream != stdin) std::fclose(stream);
  }
};

bool openInput(const std::string& path, Input& input) {
  input.name = isStandardStream(path) ? "standard input" : path;
  if (isStandardStream(path)) {
    useBinaryMode(stdin);
    input.stream = stdin;
    return true;
  }
  input.stream = std::fopen(path.c_str(), "rb");
  if (input.stream == nullptr) complain(shownArgument(path) + ": " + std::strerror(errno));
  return input.stream != nullptr;
}

// Reads the header of a CSV, or opens a MAT file for its signals; false, with the
// reason on standard error, when the rows cannot be read.
bool openRows(const std::string& path, const std::string& variable, Input& input) {
  std::string error;
  if (isMatInput(path)) {
    input.rows = openMatRows(path, input.name, variable, false, error);
  } else {
    auto table = std::make_unique<TableReader>(input.stream, input.name);
    if (table->readHeader()) {
      input.rows = std::move(table);
    } else {
      error = table->error();
    }
  }
  if (input.rows == nullptr) complain(error);
  return input.rows != nullptr;
}

// Written only once the comparison is made, so that bad input leaves no report behind;
// a report that cannot be written whole leaves none either.
bool writeReportFile(const std::string& path, const CompareOutcome& outcome) {
  OutputFile report;
  if (!report.open(path)) {
    complain(shownArgument(path) + ": " + report.error());
    return false;
  }
  errno = 0;
  if (!writeCsvReport(report.stream(), outcome)) {
    const int writeErrno = errno != 0 ? errno : EIO;
    report.abandon();
    complain(shownArgument(path) + ": writing the report failed: " + std::strerror(writeErrno));
    return false;
  }
  if (!report.commit()) {
    complain(shownArgument(path) + ": writing the report failed: " + report.error());
    return false;
  }
  return true;
}

// Opening the report truncates it: named like an input, it would destroy that input.
bool reportWouldOverwriteAnInput(const std::string& report, const Input& a, const Input& b) {
  if (report.empty() || isStandardStream(report)) return false;
  for (const Input* input : {&a, &b}) {
    if (isSameFile(input->stream, report)) {
      complain(shownArgument(report) +
               ": is a file being compared; writing the report would destroy it");
      return true;
    }
  }
  return false;
}

int runCompare(const CompareOptions& options) {
  if (isStandardStream(options.fileA) && isStandardStream(options.fileB)) {
    complain("only one of the two files can be standard input");
    return kExitCannotCompare;
  }
  Input a, b;
  if (!openInput(options.fileA, a) || !openInput(options.fileB, b)) return kExitCannotCompare;
  if (reportWouldOverwriteAnInput(options.report, a, b)) return kExitCannotCompare;

  const CompareRequest request{
      options.columns,
      Tolerance{static_cast<std::uint64_t>(options.toleranceUlp), options.ignoreZeroSign}};
  if (!openRows(options.fileA, options.variable, a) || !openRows(options.fileB, options.variable, b)) {
    return kExitCannotCompare;
  }
  const CompareOutcome outcome = compareSources(*a.rows, *b.rows, request);
  if (outcome.status != CompareOutcome::Status::compared) {
    complain(outcome.error);
    return kExitCannotCompare;
  }
  // "-o -" puts the CSV report on standard output, in place of the text, for a pipe.
  const bool csvToStdout = isStandardStream(options.report);
  useBinaryMode(stdout);
  const bool written = csvToStdout
                           ? writeCsvReport(stdout, outcome)
                           : writeTextReport(stdout, outcome, request.tolerance, a.name, b.name);
  if (!written) {
    complain(std::string("writing to standard output failed: ") + std::strerror(errno));
    return kExitCannotCompare;
  }
  if (!options.report.empty() && !csvToStdout && !writeReportFile(options.report, outcome)) {
    return kExitCannotCompare;
  }
  return outcome.withinTolerance() ? kExitWithinTolerance : kExitBeyondTolerance;
}

}  // namespace

Subcommand addCompareCommand(CLI::App& app) {
  auto options = std::make_shared<CompareOptions>();
  CLI::App* compare = app.add_subcommand(
      "compare",
      "Compare two CSV or MAT files, such as a reference and a replay, column by column: rows in "
      "order, columns by name, each field read as the nearest single. Prints per column "
      "the rows compared, the rows that differ, the largest difference in units in the "
      "last place (ULP) and the first differing row. Exit status 0 within the tolerance, "
      "1 beyond it, 2 when the files cannot be compared.");
  compare->add_option("A", options->fileA, "The first (reference) CSV; '-' for standard input.")
      ->required();
  compare->add_option("B", options->fileB, "The second CSV; '-' for standard input.")->required();
  compare
      ->add_option("--columns", options->columns,
                   "The columns to compare, by name, separated by commas; both files must "
                   "have them. Default: every column both files name.")
      ->delimiter(',');
  compare->add_option("--variable", options->variable,
                      "In a MAT file, the structure or matrix to read when several fit.");
  compare
      ->add_option("--tolerance-ulp", options->toleranceUlp,
                   "Largest difference in ULP of a single that still agrees. NaN equals "
                   "NaN; a NaN against a number is beyond every tolerance.")
      // -inf and +inf lie fewer than 2^32 ULP apart: a larger tolerance says nothing more.
      ->check(CLI::Range(std::int64_t{0}, std::int64_t{1} << 32))
      ->capture_default_str();
  compare->add_flag("--ignore-zero-sign", options->ignoreZeroSign,
                    "Take +0 and -0 as the same value (by default they are 1 ULP apart).");
  compare->add_option("-o,--output", options->report,
                      "Also write the per-column report as CSV to this file; '-': write it to "
                      "standard output instead of the text.");
  return Subcommand{compare, [options] { return runCompare(*options); }};
}

}  // namespace substitute_host
