// A structure's signals.label: its char matrix read row by row (the format stores it
// column by column), and the columns named by it exactly when it names each signal of
// the values once.
#include "matfile_in/mat_labels.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace substitute_host {
namespace {

TEST(MatLabels, ACharMatrixGivesOneLabelPerRowWithoutItsPadding) {
  // Rows "ab ", "cde", "f  " stored column by column.
  const std::string text = std::string("acf") + "bd " + " e ";
  EXPECT_EQ(labelsOfCharMatrix(text, 3, 3), (std::vector<std::string>{"ab", "cde", "f"}));
}

TEST(MatLabels, TwoByteUnitsBeyondAsciiNameNoSignal) {
  const unsigned short units[3] = {'u', 0x00E9, 'c'};
  EXPECT_EQ(unitsAsText(units, 3, 2), "u?c");
}

MatLayout timeAndThree() {
  MatLayout layout;
  layout.names = {"time", "iabc1_a", "iabc1_b", "iabc1_c"};
  return layout;
}

TEST(MatLabels, NameTheValuesColumnsInTheirOrderAndLeaveTimeFirst) {
  MatLayout layout = timeAndThree();
  std::string error;
  ASSERT_TRUE(applyMatLabels({"iabc1_c", "iabc1_a", "iabc1_b"}, "x.signals.label", layout, error))
      << error;
  EXPECT_EQ(layout.names, (std::vector<std::string>{"time", "iabc1_c", "iabc1_a", "iabc1_b"}));
}

TEST(MatLabels, ALabelNamingNoSignalIsRefusedByName) {
  MatLayout layout = timeAndThree();
  std::string error;
  EXPECT_FALSE(applyMatLabels({"iabc1_c", "speed", "iabc1_b"}, "x.signals.label", layout, error));
  EXPECT_NE(error.find("'x.signals.label' names 'speed'"), std::string::npos) << error;
}

TEST(MatLabels, ASignalNamedTwiceOrNotAtAllIsRefused) {
  MatLayout layout = timeAndThree();
  std::string error;
  EXPECT_FALSE(applyMatLabels({"iabc1_a", "iabc1_a", "iabc1_b"}, "x.signals.label", layout, error));
  EXPECT_NE(error.find("'iabc1_a' twice"), std::string::npos) << error;
  EXPECT_FALSE(applyMatLabels({"iabc1_a", "iabc1_b"}, "x.signals.label", layout, error));
  EXPECT_NE(error.find("lacks 'iabc1_c'"), std::string::npos) << error;
  EXPECT_EQ(layout.names, timeAndThree().names);  // left as it was
}

}  // namespace
}  // namespace substitute_host
