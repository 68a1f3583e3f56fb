// Back to back: the closed loop's log replayed through the module from the zero state
// gives the log's own outputs, bit for bit, as corvalent2 compare reports it.
#include <gtest/gtest.h>

#include <string>

#include "subprocess.h"

namespace {

bool contains(const std::string& text, const std::string& part) {
  return text.find(part) != std::string::npos;
}

TEST(BackToBack, ReplayingTheDefaultScenariosLogReproducesItsOutputs) {
  const std::string dir = makeScratchDirectory();
  const ProcessResult simulated = runCorvalent2({"simulate", "-o", dir, "--no-plot"});
  ASSERT_EQ(simulated.exitStatus, 0) << simulated.standardError;
  // The log as written: its block inputs are found by their names, other columns skipped.
  const ProcessResult replayed =
      runCorvalent2({"replay", dir + "/default.csv", "-o", dir + "/replayed.csv"});
  ASSERT_EQ(replayed.exitStatus, 0) << replayed.standardError;

  const ProcessResult compared =
      runCorvalent2({"compare", dir + "/default.csv", dir + "/replayed.csv"});
  EXPECT_EQ(compared.exitStatus, 0) << compared.standardOutput << compared.standardError;
  const std::string& report = compared.standardOutput;
  // 3.5 s of 50 us steps; the six outputs are the columns both files name.
  EXPECT_TRUE(contains(report, "\n70000 rows, 6 columns, tolerance 0 ULP")) << report;
  for (const char* output :
       {"vabcNorm1_a", "vabcNorm1_b", "vabcNorm1_c", "vabcNorm2_a", "vabcNorm2_b", "vabcNorm2_c"}) {
    EXPECT_TRUE(contains(report, std::string("\n") + output +
                                     "        70000            0            0            0"))
        << output << "\n"
        << report;
  }
  EXPECT_TRUE(contains(report, "rows: 70000 compared, 0 differ in some column")) << report;
}

}  // namespace
