// Pairing columns by name: every shared column by default, exactly the requested ones
// otherwise, and what cannot be paired named in the message.
#include "compare/column_pairing.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using substitute_host::ColumnPairing;
using substitute_host::pairColumns;
using Names = std::vector<std::string>;

Names namesOf(const ColumnPairing& pairing) {
  Names names;
  for (const auto& column : pairing.columns) names.push_back(column.name);
  return names;
}

TEST(ColumnPairing, ByDefaultPairsTheSharedColumnsInTheFirstFilesOrder) {
  const ColumnPairing pairing =
      pairColumns({"time_s", "b", "", "a", "x_m"}, {"a", "c", "b", ""}, {}, "a.csv", "b.csv");
  ASSERT_EQ(pairing.error, "");
  ASSERT_EQ(namesOf(pairing), (Names{"b", "a"}));
  EXPECT_EQ(pairing.columns[0].fieldA, 1u);
  EXPECT_EQ(pairing.columns[0].fieldB, 2u);
  EXPECT_EQ(pairing.columns[1].fieldA, 3u);
  EXPECT_EQ(pairing.columns[1].fieldB, 0u);
  // Unnamed columns are neither paired nor listed.
  EXPECT_EQ(pairing.onlyInA, (Names{"time_s", "x_m"}));
  EXPECT_EQ(pairing.onlyInB, (Names{"c"}));

  EXPECT_EQ(pairColumns({"a", ""}, {"b", ""}, {}, "a.csv", "b.csv").error,
            "a.csv and b.csv have no column name in common");
}

TEST(ColumnPairing, RequestedColumnsComeInTheirOrderAndMustBeInBoth) {
  ColumnPairing pairing =
      pairColumns({"a", "b", "c"}, {"c", "b", "a"}, {"c", "a"}, "a.csv", "b.csv");
  ASSERT_EQ(pairing.error, "");
  EXPECT_EQ(namesOf(pairing), (Names{"c", "a"}));
  EXPECT_EQ(pairing.columns[0].fieldA, 2u);
  EXPECT_EQ(pairing.columns[0].fieldB, 0u);
  EXPECT_TRUE(pairing.onlyInA.empty());  // nothing is listed as left out when asked for

  pairing = pairColumns({"a", "b"}, {"a", "c"}, {"c", "b", "d"}, "a.csv", "b.csv");
  EXPECT_EQ(pairing.error, "a.csv: no column 'c', 'd'; b.csv: no column 'b', 'd'");
  EXPECT_EQ(pairColumns({"a"}, {"a"}, {"a", "a"}, "a.csv", "b.csv").error,
            "--columns: 'a' is named twice");
  EXPECT_EQ(pairColumns({"a"}, {"a"}, {"a", ""}, "a.csv", "b.csv").error,
            "--columns: an empty column name");
}

}  // namespace
