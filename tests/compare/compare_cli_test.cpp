// corvalent2 compare as a user meets it: the report, the CSV report, and each exit
// status with its reason.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "scratch_directory_test.h"
#include "subprocess.h"

namespace {

bool contains(const std::string& text, const std::string& part) {
  return text.find(part) != std::string::npos;
}

class CompareCommand : public ScratchDirectoryTest {};

TEST_F(CompareCommand, AgreeingFilesExitZero) {
  const std::string a = file("a.csv", "p,q\n1,0.1\n-0,nan\n");
  const std::string b = file("b.csv", "q,p,r\n0.1,1,x\nNaN,-0,y\n");
  const ProcessResult result = runCorvalent2({"compare", a, b});
  EXPECT_EQ(result.exitStatus, 0) << result.standardError;
  EXPECT_EQ(result.standardError, "");
  EXPECT_TRUE(contains(result.standardOutput, "A: " + a + "\nB: " + b +
                                                  "\n2 rows, 2 columns, tolerance 0 ULP, +0 and "
                                                  "-0 differ\n"))
      << result.standardOutput;
  EXPECT_TRUE(contains(result.standardOutput, "not compared, only in B: 'r'\n"))
      << result.standardOutput;
  EXPECT_TRUE(contains(result.standardOutput, "result: all 2 columns agree within the tolerance\n"))
      << result.standardOutput;
}

TEST_F(CompareCommand, ColumnsLeftOutAreNamedAFewAtATime) {
  const std::string a = file("a.csv", "p,c1,c2,c3,c4,c5,c6,c7,c8,c9,c10\n1,0,0,0,0,0,0,0,0,0,0\n");
  const ProcessResult result = runCorvalent2({"compare", a, file("b.csv", "p\n1\n")});
  EXPECT_EQ(result.exitStatus, 0) << result.standardError;
  EXPECT_TRUE(contains(result.standardOutput,
                       "not compared, only in A: 'c1', 'c2', 'c3', 'c4', 'c5', 'c6', 'c7', 'c8' "
                       "and 2 more\n"))
      << result.standardOutput;
}

TEST_F(CompareCommand, DifferingFilesExitOneAndShowTheFirstDifference) {
  const std::string a = file("a.csv", "p,q\n1,0.1\n2,0.1\n3,0.5\n");
  const std::string b = file("b.csv", "p,q\n1,0.1\n2,0.099999994\n3,0.50000006\n");
  ProcessResult result = runCorvalent2({"compare", a, b, "-o", path("report.csv")});
  EXPECT_EQ(result.exitStatus, 1) << result.standardError;
  const std::string& out = result.standardOutput;
  // The row for q: 3 rows, 2 differ, both beyond 0 ULP, largest 1, none in other text.
  EXPECT_TRUE(contains(out,
                       "q                 3            2            2            1            0"
                       "  row 2 (line 3): 0.1 | 0.099999994\n"))
      << out;
  EXPECT_TRUE(contains(out,
                       "rows: 3 compared, 2 differ in some column, 2 beyond the tolerance\n"
                       "result: 1 of 2 columns differ beyond the tolerance\n"))
      << out;
  EXPECT_EQ(readFile(path("report.csv")),
            "column,rows,differing_rows,beyond_tolerance_rows,largest_ulp,same_value_other_text,"
            "first_differing_row,first_differing_line,first_differing_a,first_differing_b,"
            "first_beyond_tolerance_row,first_beyond_tolerance_line,first_beyond_tolerance_a,"
            "first_beyond_tolerance_b\n"
            "p,3,0,0,0,0,,,,,,,,\n"
            "q,3,2,2,1,0,2,3,0.1,0.099999994,2,3,0.1,0.099999994\n");

  // Within one ULP they agree; the differences are still counted.
  result = runCorvalent2({"compare", a, b, "--tolerance-ulp", "1"});
  EXPECT_EQ(result.exitStatus, 0) << result.standardError;
  EXPECT_TRUE(contains(result.standardOutput, "q                 3            2            0"))
      << result.standardOutput;
}

TEST_F(CompareCommand, ToleranceAndZeroSignOptions) {
  const std::string a = file("a.csv", "v\n0\n1\n1\n");
  const std::string b = file("b.csv", "v\n-0\n1.0000001\n1.0000005\n");
  ProcessResult result = runCorvalent2({"compare", a, b, "--tolerance-ulp", "1"});
  EXPECT_EQ(result.exitStatus, 1);
  // The first difference passes; the first beyond the tolerance gets its own line.
  EXPECT_TRUE(contains(result.standardOutput, "  row 1 (line 2): 0 | -0\n"))
      << result.standardOutput;
  EXPECT_TRUE(contains(result.standardOutput,
                       "v: first row beyond the tolerance: row 3 (line 4): 1 | 1.0000005\n"))
      << result.standardOutput;
  EXPECT_EQ(runCorvalent2({"compare", a, b, "--tolerance-ulp", "4"}).exitStatus, 0);
  result = runCorvalent2({"compare", a, b, "--columns", "v", "--ignore-zero-sign"});
  EXPECT_EQ(result.exitStatus, 1);
  EXPECT_TRUE(contains(result.standardOutput, "+0 and -0 the same")) << result.standardOutput;
  EXPECT_TRUE(contains(result.standardOutput, "  row 2 (line 3): 1 | 1.0000001\n"))
      << result.standardOutput;
}

TEST_F(CompareCommand, InputThatCannotBeComparedExitsTwoWithItsPlace) {
  const std::string a = file("a.csv", "p,q\n1,2\n3,4\n");
  struct Case {
    std::vector<std::string> args;
    std::string message;
  };
  for (const Case& c : std::vector<Case>{
           {{a, file("short.csv", "p,q\n1,2\n")},
            "the files have different row counts: " + path("short.csv") + " has 1, " + a +
                " has 2; rows are paired in order"},
           {{a, file("bad.csv", "q,p\n2,1\n4,three\n")},
            path("bad.csv") + ": line 3, column 'p' (field 2): 'three' is not a number"},
           {{a, file("b.csv", "p,q\n1,2\n3,4\n"), "--columns", "p,r"},
            a + ": no column 'r'; " + path("b.csv") + ": no column 'r'"},
           {{a, path("absent.csv")}, path("absent.csv") + ": No such file or directory"},
           {{"-", "-"}, "only one of the two files can be standard input"},
       }) {
    std::vector<std::string> args{"compare"};
    args.insert(args.end(), c.args.begin(), c.args.end());
    args.insert(args.end(), {"-o", path("report.csv")});
    const ProcessResult result = runCorvalent2(args);
    EXPECT_EQ(result.exitStatus, 2) << c.message;
    EXPECT_EQ(result.standardError, "corvalent2 compare: " + c.message + "\n");
    EXPECT_EQ(result.standardOutput, "");
    EXPECT_EQ(readFile(path("report.csv")), "") << "no report is written for " << c.message;
  }
  for (const auto& args :
       std::vector<std::vector<std::string>>{{"compare", a},
                                             {"compare", a, a, "--tolerance-ulp", "-1"},
                                             {"compare", a, a, "--tolerance-ulp", "4294967297"},
                                             {"compare", a, a, "/tolerance-ulp"}}) {
    const ProcessResult result = runCorvalent2(args);
    EXPECT_EQ(result.exitStatus, 2) << args.back();
    EXPECT_FALSE(result.standardError.empty()) << args.back();
  }
}

TEST_F(CompareCommand, AReportThatCannotBeWrittenIsAFailure) {
  const std::string text = "p\n1\n";
  const std::string a = file("a.csv", text);
  // Named like an input, by another spelling: refused before anything is truncated.
  ProcessResult result = runCorvalent2({"compare", a, a, "-o", directory_ + "/./a.csv"});
  EXPECT_EQ(result.exitStatus, 2);
  EXPECT_TRUE(contains(result.standardError, "is a file being compared")) << result.standardError;
  EXPECT_EQ(readFile(a), text);

  result = runCorvalent2({"compare", a, a, "-o", "/dev/full"});
  EXPECT_EQ(result.exitStatus, 2);
  EXPECT_EQ(result.standardError,
            "corvalent2 compare: /dev/full: writing the report failed: No space left on device\n");
  result = runCorvalent2({"compare", a, a, "-o", path("no/such/folder.csv")});
  EXPECT_EQ(result.exitStatus, 2);
  EXPECT_TRUE(contains(result.standardError, "No such file or directory")) << result.standardError;
}

// Every byte a person sees is printable ASCII or a line end: names in the file may
// hold terminal controls, C1 controls (U+0080 to U+009F) and bytes that are not UTF-8.
bool onlyPrintableAscii(const std::string& text) {
  return std::all_of(text.begin(), text.end(),
                     [](char c) { return c == '\n' || (c >= 0x20 && c < 0x7F); });
}

TEST_F(CompareCommand, TheReportShowsHostileNamesEscaped) {
  const std::string a = file("a\xC2\x9B.csv",
                             "p,c1\xC2\x9Bx,bad\xFFname,only\xC2\x85"
                             "A,\x1B[2J\n1,4,5,6,7\n");
  const std::string b =
      file("b.csv", "p,c1\xC2\x9Bx,bad\xFFname,onlyB\x9B,\x1B[2J\n1,4.0000005,5,6,7\n");
  const ProcessResult result = runCorvalent2({"compare", a, b});
  EXPECT_EQ(result.exitStatus, 1) << result.standardError;
  const std::string& out = result.standardOutput;
  EXPECT_TRUE(onlyPrintableAscii(out)) << out;
  EXPECT_TRUE(contains(out, "A: " + directory_ + "/a\\xC2\\x9B.csv\n")) << out;
  EXPECT_TRUE(contains(out,
                       "\nc1\\xC2\\x9Bx            1            1            1            1"
                       "            0  row 1 (line 2): 4 | 4.0000005\n"))
      << out;
  EXPECT_TRUE(contains(out,
                       "\nbad\\xFFname            1            0            0            0"
                       "            0  -\n"))
      << out;
  EXPECT_TRUE(contains(out, "\n\\x1B[2J                1            0")) << out;
  EXPECT_TRUE(contains(out, "\nnot compared, only in A: 'only\\xC2\\x85A'\n")) << out;
  EXPECT_TRUE(contains(out, "\nnot compared, only in B: 'onlyB\\x9B'\n")) << out;
}

TEST_F(CompareCommand, TextThatIsNoCsvIsRefusedNotComparedAsEmpty) {
  // Lines that end in a carriage return alone would make one header line and no rows.
  const std::string a = file("a.csv", "p,q\r1,0.1\r");
  const ProcessResult result = runCorvalent2({"compare", a, file("b.csv", "p,q\r1,0.2\r")});
  EXPECT_EQ(result.exitStatus, 2);
  EXPECT_EQ(result.standardError,
            "corvalent2 compare: " + a +
                ": line 1: the lines end in a carriage return alone; they must end in LF or "
                "CRLF\n");
  EXPECT_EQ(result.standardOutput, "");
}

TEST_F(CompareCommand, WritesTheCsvReportToStandardOutputInsteadOfTheText) {
  const std::string a = file("a.csv", "p\n1\n");
  const ProcessResult result = runCorvalent2({"compare", a, a, "-o", "-"});
  EXPECT_EQ(result.exitStatus, 0) << result.standardError;
  EXPECT_EQ(result.standardOutput,
            "column,rows,differing_rows,beyond_tolerance_rows,largest_ulp,same_value_other_text,"
            "first_differing_row,first_differing_line,first_differing_a,first_differing_b,"
            "first_beyond_tolerance_row,first_beyond_tolerance_line,first_beyond_tolerance_a,"
            "first_beyond_tolerance_b\n"
            "p,1,0,0,0,0,,,,,,,,\n");
}

TEST_F(CompareCommand, ReadsOneFileFromStandardInput) {
  const std::string a = file("a.csv", "p\n1\n2\n");
  ProcessResult result = runCorvalent2({"compare", a, "-"}, file("b.csv", "p\n1\n2.5\n"));
  EXPECT_EQ(result.exitStatus, 1) << result.standardError;
  EXPECT_TRUE(contains(result.standardOutput, "A: " + a + "\nB: standard input\n2 rows"))
      << result.standardOutput;
  EXPECT_TRUE(contains(result.standardOutput, "row 2 (line 3): 2 | 2.5")) << result.standardOutput;
}

}  // namespace
