// The comparison of two streams: what each column's tally holds, the tolerance, the
// text of one value written in two ways, and input that cannot be compared.
#include "compare/compare_csv.h"

#include <gtest/gtest.h>

#include <string>

#include "compare/single_distance.h"
#include "temp_stream.h"

namespace {

using substitute_host::ColumnTally;
using substitute_host::CompareOutcome;
using substitute_host::CompareRequest;
using substitute_host::kNanAgainstNumber;
using Status = CompareOutcome::Status;

CompareOutcome compare(const std::string& textA, const std::string& textB,
                       CompareRequest request = {}) {
  FilePtr a = streamOf(textA), b = streamOf(textB);
  return substitute_host::compareCsv({a.get(), "a.csv"}, {b.get(), "b.csv"}, request);
}

const ColumnTally& column(const CompareOutcome& outcome, const std::string& name) {
  for (const ColumnTally& tally : outcome.columns)
    if (tally.name == name) return tally;
  ADD_FAILURE() << "no column " << name;
  static const ColumnTally none;
  return none;
}

TEST(CompareCsv, TalliesEachColumnAndKeepsItsFirstDifference) {
  // Columns in another order in b, and a column of b's own.
  const CompareOutcome outcome =
      compare("x,y\n1,0.1\n2,0.5\n3,nan\n4,-0\n",
              "y,x,extra\n0.099999994,1,7\n0.50,2.000001,7\n NaN ,3.0,7\n0,4.0000005,7\n");
  ASSERT_EQ(outcome.status, Status::compared) << outcome.error;
  EXPECT_EQ(outcome.rows, 4u);
  EXPECT_EQ(outcome.rowsDiffering, 3u);  // all but the third row, two columns in the fourth
  EXPECT_EQ(outcome.rowsBeyondTolerance, 3u);
  EXPECT_FALSE(outcome.withinTolerance());
  EXPECT_TRUE(outcome.onlyInA.empty());
  EXPECT_EQ(outcome.onlyInB, std::vector<std::string>{"extra"});

  const ColumnTally& x = column(outcome, "x");
  EXPECT_EQ(x.rows, 4u);
  EXPECT_EQ(x.differing, 2u);
  EXPECT_EQ(x.beyondTolerance, 2u);
  EXPECT_EQ(x.largestDistance, 4u);     // 2.000001 is 4 ULP above 2, 4.0000005 1 above 4
  EXPECT_EQ(x.sameValueOtherText, 1u);  // "3" as "3.0"
  EXPECT_EQ(x.firstDiffering.row, 2u);
  EXPECT_EQ(x.firstDiffering.line, 3u);
  EXPECT_EQ(x.firstDiffering.textA, "2");
  EXPECT_EQ(x.firstDiffering.textB, "2.000001");

  const ColumnTally& y = column(outcome, "y");
  EXPECT_EQ(y.differing, 2u);  // 0.1 one below; -0 against 0
  EXPECT_EQ(y.largestDistance, 1u);
  EXPECT_EQ(y.sameValueOtherText, 2u);  // "0.5" as "0.50", "nan" as " NaN "
  EXPECT_EQ(y.firstDiffering.row, 1u);
  EXPECT_EQ(y.firstDiffering.textA, "0.1");
  EXPECT_EQ(y.firstDiffering.textB, "0.099999994");
}

TEST(CompareCsv, ToleranceSeparatesTheFirstDifferenceFromTheFirstFault) {
  const std::string a = "v\n1\n1\n1\nnan\n";
  const std::string b = "v\n1.0000001\n1.0000005\n1.0000002\n1\n";
  CompareRequest request;
  request.tolerance.ulp = 2;
  const CompareOutcome outcome = compare(a, b, request);
  ASSERT_EQ(outcome.status, Status::compared) << outcome.error;
  EXPECT_EQ(outcome.rowsDiffering, 4u);
  EXPECT_EQ(outcome.rowsBeyondTolerance, 2u);
  const ColumnTally& v = column(outcome, "v");
  EXPECT_EQ(v.differing, 4u);
  EXPECT_EQ(v.beyondTolerance, 2u);  // 4 ULP, and NaN against a number
  EXPECT_EQ(v.largestDistance, kNanAgainstNumber);
  EXPECT_EQ(v.firstDiffering.row, 1u);
  EXPECT_EQ(v.firstBeyondTolerance.row, 2u);
  EXPECT_EQ(v.firstBeyondTolerance.textB, "1.0000005");

  request.tolerance.ulp = 4;
  EXPECT_EQ(column(compare("v\n1\n", "v\n1.0000005\n", request), "v").beyondTolerance, 0u);
  // No tolerance lets a NaN stand for a number.
  request.tolerance.ulp = std::uint64_t{1} << 32;
  EXPECT_FALSE(compare("v\nnan\n", "v\ninf\n", request).withinTolerance());
}

TEST(CompareCsv, SignOfZeroCountsUnlessIgnored) {
  CompareRequest request;
  EXPECT_FALSE(compare("v\n0\n", "v\n-0\n", request).withinTolerance());
  request.tolerance.ignoreZeroSign = true;
  const CompareOutcome outcome = compare("v\n0\n", "v\n-0\n", request);
  EXPECT_TRUE(outcome.withinTolerance());
  EXPECT_EQ(column(outcome, "v").sameValueOtherText, 1u);
}

TEST(CompareCsv, ReadsEachFieldAsTheNearestSingleRoundedOnce) {
  // 1 + 2^-24 lies halfway between 1 and 1.0000001; a decimal just above it names
  // 1.0000001, though through a double it would round to the halfway point, then to 1.
  const CompareOutcome outcome =
      compare("v\n1.0000001\n", "v\n1.00000005960464477539062500000000001\n");
  ASSERT_EQ(outcome.status, Status::compared) << outcome.error;
  EXPECT_EQ(column(outcome, "v").differing, 0u);
  EXPECT_EQ(column(outcome, "v").sameValueOtherText, 1u);
}

TEST(CompareCsv, InputThatCannotBeComparedSaysWhereAndWhy) {
  struct Case {
    std::string a, b, error;
  };
  for (const Case& c : std::vector<Case>{
           {"v\n1\n2\n", "v\n1\n",
            "the files have different row counts: b.csv has 1, a.csv has 2; rows are paired "
            "in order"},
           {"v\n1\n", "v\n1\n2\n3\n\n",
            "the files have different row counts: a.csv has 1, b.csv has 3; rows are paired "
            "in order"},
           {"v,w\n1,2\n1,x\n", "v,w\n1,2\n1,2\n",
            "a.csv: line 3, column 'w' (field 2): 'x' is not a number"},
           {"v,w\n1,2\n", "w,v\n,1\n", "b.csv: line 2, column 'w' (field 1): the field is empty"},
           {"v\n1\n", "v\n\"1\"\n",
            "b.csv: line 2, column 'v' (field 1): quoted fields are not supported"},
           {"v\n1\n", "w\n1\n", "a.csv and b.csv have no column name in common"},
           {"v\n1\n", "", "b.csv: the file is empty; it needs a header line"},
       }) {
    const CompareOutcome outcome = compare(c.a, c.b);
    EXPECT_EQ(outcome.status, Status::badInput) << c.a << " | " << c.b;
    EXPECT_EQ(outcome.error, c.error);
  }
  // A field that is the same text in both files is still read: garbage in both is no match.
  EXPECT_EQ(compare("v\nx\n", "v\nx\n").error,
            "a.csv: line 2, column 'v' (field 1): 'x' is not a number");
}

TEST(CompareCsv, RequestedColumnsOnly) {
  CompareRequest request;
  request.columns = {"w"};
  const CompareOutcome outcome = compare("v,w\n1,2\n", "w,v\n2,7\n", request);
  ASSERT_EQ(outcome.status, Status::compared) << outcome.error;
  ASSERT_EQ(outcome.columns.size(), 1u);
  EXPECT_TRUE(outcome.withinTolerance());
  // A column left out is not read at all.
  EXPECT_EQ(compare("v,w\nx,2\n", "w,v\n2,y\n", request).status, Status::compared);
}

}  // namespace
