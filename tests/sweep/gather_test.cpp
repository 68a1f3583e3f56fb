// Gathering parts: missing and truncated parts are reported with the commands that
// rerun them and never counted; failed runs are results.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <limits>
#include <sstream>

#include "sweep/gather.h"
#include "sweep/part_file.h"
#include "sweep/run_values.h"
#include "sweep/sweep_file.h"

namespace {

namespace fs = std::filesystem;
using namespace substitute_host::sweep;

class Gather : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string pattern = ::testing::TempDir() + "corvalent2_gather_XXXXXX";
    ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
    folder_ = pattern;
    fs::create_directory(folder_ / kPartsFolder);
    const SweepParse parsed = parseSweep(
        R"({"scenario": {"duration": 0.1, "profiles": {"iqCommand": [[0, 10]],
            "steerAngle": [[0, 0]], "udc": [[0, 400]]}},
            "vary": {"initialSpeed": [1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14]}})",
        ".");
    ASSERT_TRUE(parsed.ok()) << parsed.error;
    plan_.sweep = parsed.sweep;
    plan_.runs = runCount(plan_.sweep);
    plan_.chunk = 2;
  }
  void TearDown() override { fs::remove_all(folder_); }

  RunPart okRun(std::uint64_t index) const {
    RunPart part;
    part.index = index;
    part.figures.fill(100.0 + index);
    return part;
  }
  void write(const RunPart& part) { ASSERT_EQ(writePart(folder_ / kPartsFolder, part), ""); }
  int gather(bool partial) {
    out_.str("");
    err_.str("");
    return gatherSweep(plan_, GatherRequest{folder_, "corvalent2", partial}, out_, err_);
  }
  std::string summary() const {
    std::ifstream in(folder_ / kSummaryCsvFile);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  }

  fs::path folder_;
  Plan plan_;
  std::ostringstream out_, err_;
};

TEST_F(Gather, ReportsTruncatedAndMissingPartsWithTheirRerunsAndWritesNoTable) {
  for (std::uint64_t i : {0, 1, 3, 5, 6, 7, 8, 9, 10, 11, 12, 13}) write(okRun(i));
  const std::string whole = partJsonText(okRun(2));
  std::ofstream(folder_ / kPartsFolder / partFileName(2)) << whole.substr(0, whole.size() / 2);
  EXPECT_EQ(gather(false), kGatherRunsMissing);
  const std::string e = err_.str();
  EXPECT_NE(e.find("run 2 is missing: its part run-000002.json is unreadable"), std::string::npos) << e;
  EXPECT_NE(e.find("run 4 is missing: no part run-000004.json"), std::string::npos) << e;
  // Runs 2 and 4 are in tasks 1 and 2 (two runs a task).
  EXPECT_NE(e.find("sbatch --array=1,2 " + (folder_ / "sweep.sbatch").string()), std::string::npos) << e;
  EXPECT_NE(e.find("corvalent2 sweep run " + folder_.string() + " --task 1\n"), std::string::npos);
  EXPECT_NE(e.find("corvalent2 sweep run " + folder_.string() + " --task 2\n"), std::string::npos);
  EXPECT_FALSE(fs::exists(folder_ / kSummaryCsvFile));
  EXPECT_FALSE(fs::exists(folder_ / kSummaryMatFile));
}

TEST_F(Gather, TheRerunListNamesEachTaskOnceAndRunsOfThreeAsRanges) {
  // Missing: runs 0 and 1 (task 0), 4 to 9 (tasks 2 to 4), 13 (task 6).
  for (std::uint64_t i : {2, 3, 10, 11, 12}) write(okRun(i));
  EXPECT_EQ(gather(false), kGatherRunsMissing);
  EXPECT_NE(err_.str().find("sbatch --array=0,2-4,6 "), std::string::npos) << err_.str();
  for (std::uint64_t i = 0; i < 14; ++i) write(okRun(i));
  fs::remove(folder_ / kPartsFolder / partFileName(5));
  fs::remove(folder_ / kPartsFolder / partFileName(7));
  EXPECT_EQ(gather(false), kGatherRunsMissing);
  EXPECT_NE(err_.str().find("sbatch --array=2,3 "), std::string::npos) << err_.str();
}

TEST_F(Gather, APartialTableMarksMissingRunsAndNeverCountsATruncatedPart) {
  for (std::uint64_t i : {0, 1, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13}) write(okRun(i));
  const std::string whole = partJsonText(okRun(2));
  std::ofstream(folder_ / kPartsFolder / partFileName(2)) << whole.substr(0, whole.size() - 3);
  EXPECT_EQ(gather(true), kGatherRunsMissing);
  const std::string table = summary();
  EXPECT_NE(table.find("\n2,3,missing,,,,,,,,,\n"), std::string::npos) << table;
  EXPECT_EQ(table.find("102"), std::string::npos) << table;
  EXPECT_NE(table.find("\n3,4,ok,103,103,"), std::string::npos) << table;
}

TEST_F(Gather, FailedRunsAreResultsListedWithTheirErrors) {
  for (std::uint64_t i = 0; i < 14; ++i) write(okRun(i));
  RunPart failed;
  failed.index = 4;
  failed.status = "simulation: the plant state stopped being finite, outputs were 1, 2";
  failed.figures.fill(std::numeric_limits<double>::quiet_NaN());
  write(failed);
  EXPECT_EQ(gather(false), kGatherComplete) << err_.str();
  EXPECT_NE(err_.str().find("run 4 failed: simulation: the plant state"), std::string::npos);
  const std::string table = summary();
  EXPECT_EQ(table.substr(0, table.find('\n')),
            "index,initialSpeed,status,finalSpeed_m_s,peakSpeed_m_s,peakPhaseCurrent1_A,"
            "peakPhaseCurrent2_A,peakModIndex1,peakModIndex2,fieldWeakeningFrom_s,maxSlip,"
            "energyFromDcLink_J");
  // The error holds a comma: quoted, so that the row keeps its columns.
  EXPECT_NE(table.find("\n4,5,\"" + failed.status + "\",,,,,,,,,\n"), std::string::npos) << table;
  EXPECT_EQ(fs::exists(folder_ / kSummaryMatFile), kWritesMatSummary);
}

}  // namespace
