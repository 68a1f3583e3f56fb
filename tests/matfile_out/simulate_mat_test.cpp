// simulate's MAT log and its other formats, driven by stand-in controllers that keep no
// state: every column with its class, the metadata, a failed run, a stopped run, no log.
#include <gtest/gtest.h>
#include <sys/mount.h>
#include <unistd.h>

#include <algorithm>
#include <bit>
#include <charconv>
#include <cstdint>
#include <cstdlib>
#include <cmath>
#include <cstdio>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "matfile_out/column_file.h"
#include "simulate/external_program.h"
#include "simulate/simulate_main.h"
#include "tests/matfile_out/mat_reading.h"
#include "tests/support/test_folder.h"

namespace substitute_host::simulate {
namespace {

namespace fs = std::filesystem;
using corvalent2_test::readVariable;
using matfile_out::MatVersion;

void gentlePush(void*, const float* const[9], float* const outputs[2]) {
  const float v[3] = {0.0f, 0.01f, -0.01f};
  for (int m = 0; m < 2; ++m)
    for (int i = 0; i < 3; ++i) outputs[m][i] = v[i];
}

void notANumber(void*, const float* const[9], float* const outputs[2]) {
  for (int m = 0; m < 2; ++m)
    for (int i = 0; i < 3; ++i) outputs[m][i] = std::nanf("");
}

const char* const kScenario =
    R"({"duration": 0.5, "profiles": {"iqCommand": [[0, 0]], "steerAngle": [[0, 0]],
        "udc": [[0, 400]]}})";
constexpr std::size_t kRows = 10000;  // 0.5 s in steps of 50 us

class MatLog : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = corvalent2_test::freshTestFolder("corvalent2_matlog_");
    fs::create_directories(dir_ / "in");
    std::ofstream(dir_ / "in" / "run.json") << kScenario;
    req_.scenarioPath = (dir_ / "in" / "run.json").string();
    req_.outputDir = (dir_ / "out").string();
    req_.format = LogFormat::mat;
    req_.toolVersion = "corvalent2 test";
    req_.progress = false;
    req_.out = &out_;
    req_.err = &err_;
  }
  void TearDown() override {
    ::umount((dir_ / "small").c_str());  // mounted by the full-disk case; else refused
    fs::remove_all(dir_);
  }

  std::string matPath() const { return (dir_ / "out" / "run.mat").string(); }

  fs::path dir_;
  SimulateRequest req_;
  std::ostringstream out_, err_;
};

TEST_F(MatLog, HoldsEveryColumnWithItsClassAndTheRunsMetadata) {
  req_.plot = false;
  for (const MatVersion version : {MatVersion::v73, MatVersion::v5}) {
    req_.matVersion = version;
    ASSERT_EQ(simulateMain(req_, gentlePush, nullptr), kSimulateOk) << err_.str();
    for (const char* single : {"iabc1_a", "theta2", "steerAngle", "vabcNorm1_a", "vabcNorm2_c"}) {
      const auto var = readVariable(matPath(), single);
      EXPECT_EQ(var.classType, MAT_C_SINGLE) << single;
      EXPECT_EQ(var.rows, kRows) << single;
    }
    for (const char* dbl : {"time_s", "id1_A", "slip2", "speed_m_s", "x_m", "y_m"}) {
      const auto var = readVariable(matPath(), dbl);
      EXPECT_EQ(var.classType, MAT_C_DOUBLE) << dbl;
      EXPECT_EQ(var.rows, kRows) << dbl;
    }
    EXPECT_EQ(readVariable(matPath(), "time_s").at<double>(kRows - 1), (kRows - 1) * 50e-6);
    EXPECT_EQ(readVariable(matPath(), "vabcNorm1_b").at<float>(7), 0.01f);
    EXPECT_EQ(readVariable(matPath(), "sampleTime_s").at<double>(0), 50e-6);
    const auto scenario = readVariable(matPath(), "scenario");
    EXPECT_EQ(scenario.classType, MAT_C_CHAR);
    EXPECT_EQ(scenario.columns, std::string(kScenario).size());
    EXPECT_EQ(readVariable(matPath(), "toolVersion").columns,
              std::string("corvalent2 test").size());
  }
  EXPECT_NE(out_.str().find("Wrote " + matPath() + "\n"), std::string::npos) << out_.str();
  EXPECT_EQ(err_.str(), "");
}

// The plot of a MAT log draws from a side file of the plotted columns alone: every row
// the plot draws (every 2nd of 10000 for curves of at most 4000 points), the values
// of the log's own columns at those rows.
TEST_F(MatLog, IsPlottedFromASideFileOfThePlottedColumns) {
  for (const MatVersion version : {MatVersion::v73, MatVersion::v5}) {
    req_.matVersion = version;
    ASSERT_EQ(simulateMain(req_, gentlePush, nullptr), kSimulateOk) << err_.str();
    std::ifstream data(dir_ / "out" / "run.plot.csv");
    std::string line;
    ASSERT_TRUE(std::getline(data, line));
    EXPECT_EQ(line, "time_s,omega1,omega1Ideal_rad_s,omega2,omega2Ideal_rad_s,id1_A,iq1_A,id2_A,"
                    "iq2_A,modIndex1,modIndex2,udc,x_m,y_m");
    const auto time = readVariable(matPath(), "time_s");
    const auto omega = readVariable(matPath(), "omega1");
    std::size_t rows = 0;
    for (; std::getline(data, line); ++rows) {
      double t = 0.0, w = 0.0;
      ASSERT_EQ(std::sscanf(line.c_str(), "%lf,%lf", &t, &w), 2) << line;
      // Printed with ten digits: equal to the log's value to within its last digit.
      EXPECT_NEAR(t, time.at<double>(2 * rows), 1e-9 * std::max(1.0, std::fabs(t))) << rows;
      EXPECT_NEAR(w, omega.at<float>(2 * rows), 1e-9 * std::max(1.0, std::fabs(w))) << rows;
    }
    EXPECT_EQ(rows, kRows / 2);
    std::ifstream script(dir_ / "out" / "run.gp");
    std::ostringstream text;
    text << script.rdbuf();
    EXPECT_NE(text.str().find("f = './run.plot.csv'"), std::string::npos) << text.str();
    // Where gnuplot is installed the picture must appear: a column the script names
    // but the side file lacks would stop gnuplot.
    const bool gnuplot = !findOnPath("gnuplot").empty();
    EXPECT_EQ(fs::exists(dir_ / "out" / "run.png"), gnuplot) << err_.str();
    fs::remove_all(dir_ / "out");
  }
  EXPECT_NE(out_.str().find("Wrote " + (dir_ / "out" / "run.plot.csv").string() + " and " +
                            (dir_ / "out" / "run.gp").string() + "\n"),
            std::string::npos)
      << out_.str();
}

TEST_F(MatLog, NoPlotWritesTheSideFileAndScriptButNoPicture) {
  req_.plot = false;
  ASSERT_EQ(simulateMain(req_, gentlePush, nullptr), kSimulateOk) << err_.str();
  EXPECT_TRUE(fs::exists(dir_ / "out" / "run.plot.csv"));
  EXPECT_TRUE(fs::exists(dir_ / "out" / "run.gp"));
  EXPECT_FALSE(fs::exists(dir_ / "out" / "run.png"));
}

// A run whose plant state stops being finite leaves no MAT file under the final name,
// nor a hidden one beside it; a file of that name from before stays.
TEST_F(MatLog, AFailedRunLeavesNoMatAndKeepsAnEarlierOne) {
  for (const MatVersion version : {MatVersion::v73, MatVersion::v5}) {
    req_.matVersion = version;
    EXPECT_EQ(simulateMain(req_, notANumber, nullptr), kSimulateFailed);
    EXPECT_TRUE(fs::is_empty(dir_ / "out"));
  }
  std::ofstream(matPath()) << "an earlier log\n";
  EXPECT_EQ(simulateMain(req_, notANumber, nullptr), kSimulateFailed);
  std::ifstream kept(matPath());
  std::string line;
  std::getline(kept, line);
  EXPECT_EQ(line, "an earlier log");
  EXPECT_EQ(std::distance(fs::directory_iterator(dir_ / "out"), fs::directory_iterator()), 1);
}

TEST_F(MatLog, FormatNoneWritesNoFileAndStillSummarises) {
  req_.format = LogFormat::none;
  ASSERT_EQ(simulateMain(req_, gentlePush, nullptr), kSimulateOk) << err_.str();
  EXPECT_FALSE(fs::exists(dir_ / "out"));
  EXPECT_NE(out_.str().find("Real-time factor: "), std::string::npos) << out_.str();
  EXPECT_EQ(out_.str().find("Wrote"), std::string::npos) << out_.str();
  EXPECT_EQ(err_.str(), "");
}

// A level-5 log longer than its memory bound is refused before the run, nothing written.
TEST_F(MatLog, ALevel5LogBeyondTheMemoryBoundIsRefused) {
  std::ofstream(req_.scenarioPath)
      << R"({"duration": 3600, "profiles": {"iqCommand": [[0, 0]], "steerAngle": [[0, 0]],
             "udc": [[0, 400]]}})";
  req_.matVersion = MatVersion::v5;
  bool called = false;
  const auto noted = [](void* context, const float* const[9], float* const[2]) {
    *static_cast<bool*>(context) = true;
  };
  EXPECT_EQ(simulateMain(req_, noted, &called), kSimulateRefused);
  EXPECT_FALSE(called);
  EXPECT_EQ(err_.str(),
            "simulate: a level-5 MAT log is held in memory until the run ends, and its 72000000 "
            "rows would take more than 1 GiB (at most 5064819 fit): use --mat-version 7.3 or a "
            "larger --decimate\n");
  EXPECT_FALSE(fs::exists(dir_ / "out"));
}

// A signal noted before the run stops it at its first step: one row, closed into a file
// that reads back, and the message says so.
TEST_F(MatLog, AStoppedRunKeepsTheRowsLoggedSoFar) {
  const volatile std::sig_atomic_t stop = SIGINT;
  req_.stopSignal = &stop;
  EXPECT_EQ(simulateMain(req_, gentlePush, nullptr), kSimulateSignalBase + SIGINT);
  EXPECT_EQ(err_.str(),
            "simulate: stopped by signal 2 at t = 0 s; the 0 rows logged so far are in " +
                matPath() + "\n");
  EXPECT_EQ(readVariable(matPath(), "time_s").rows, 0u);
  EXPECT_TRUE(readVariable(matPath(), "scenario").found);
}

// Onto a full file system (a small tmpfs, which only root may mount): exit status 1, the
// reason, and no file under the final name nor beside it.
TEST_F(MatLog, AFullDiskFailsAndLeavesNoFile) {
  const fs::path small = dir_ / "small";
  fs::create_directories(small);
  if (::geteuid() != 0 || ::mount("tmpfs", small.c_str(), "tmpfs", 0, "size=256k") != 0)
    GTEST_SKIP() << "mounting a small tmpfs needs root";
  req_.outputDir = small.string();
  for (const MatVersion version : {MatVersion::v73, MatVersion::v5}) {
    req_.matVersion = version;
    err_.str("");
    EXPECT_EQ(simulateMain(req_, gentlePush, nullptr), kSimulateFailed);
    EXPECT_NE(err_.str().find("No space left on device"), std::string::npos) << err_.str();
    EXPECT_TRUE(fs::is_empty(small));
  }
  ::umount(small.c_str());
}

// A scenario of `rows` control steps, the vehicle pushed along so that every row differs.
std::string scenarioOfRows(std::size_t rows) {
  std::ostringstream text;
  text.precision(17);
  // Half a step short of the last row's end: the run rounds its step count up.
  text << R"({"duration": )" << (static_cast<double>(rows) - 0.5) * 50e-6
       << R"(, "profiles": {"iqCommand": [[0, 0]], "steerAngle": [[0, 0]], "udc": [[0, 400]]}})";
  return text.str();
}

std::vector<std::string> splitCsv(const std::string& line) {
  std::vector<std::string> fields;
  std::istringstream in(line);
  for (std::string field; std::getline(in, field, ',');) fields.push_back(field);
  return fields;
}

// Whether the MAT value is the one the CSV printed: a single to the bit (the CSV prints
// it so that it reads back exactly), a double as the CSV prints doubles (ten digits).
bool sameAsPrinted(const corvalent2_test::ReadVariable& var, std::size_t row,
                   const std::string& printed) {
  if (var.classType == MAT_C_SINGLE)
    return std::bit_cast<std::uint32_t>(var.at<float>(row)) ==
           std::bit_cast<std::uint32_t>(std::strtof(printed.c_str(), nullptr));
  char text[32];
  const auto r = std::to_chars(text, text + sizeof text, var.at<double>(row),
                               std::chars_format::general, 10);
  return std::string(text, r.ptr) == printed;
}

// Rows of the CSV log whose values differ from those of the MAT file's columns.
std::size_t rowsUnlikeTheCsv(const std::string& matPath, const fs::path& csvPath,
                             std::size_t rows) {
  std::ifstream csv(csvPath);
  std::string line;
  std::getline(csv, line);
  const std::vector<std::string> header = splitCsv(line);
  std::vector<corvalent2_test::ReadVariable> columns;
  for (const std::string& name : header) {
    columns.push_back(readVariable(matPath, name));
    if (columns.back().rows != rows) return rows;
  }
  std::size_t unlike = 0, row = 0;
  for (; std::getline(csv, line); ++row) {
    const std::vector<std::string> values = splitCsv(line);
    bool same = values.size() == columns.size() && row < rows;
    for (std::size_t k = 0; same && k < columns.size(); ++k)
      same = sameAsPrinted(columns[k], row, values[k]);
    if (!same) ++unlike;
  }
  return unlike + (row == rows ? 0 : rows);
}

// A full file system met when a block of rows is appended during the run (on the
// thread that writes blocks while the next fills), not only at its end: the reason
// reaches the user, and no file is left behind.
TEST_F(MatLog, AFullDiskMetWhileABlockIsAppendedFailsAndLeavesNoFile) {
  const fs::path small = dir_ / "small";
  fs::create_directories(small);
  if (::geteuid() != 0 || ::mount("tmpfs", small.c_str(), "tmpfs", 0, "size=256k") != 0)
    GTEST_SKIP() << "mounting a small tmpfs needs root";
  std::ofstream(req_.scenarioPath) << scenarioOfRows(matfile_out::kBlockRows + 1);
  req_.outputDir = small.string();
  req_.plot = false;
  EXPECT_EQ(simulateMain(req_, gentlePush, nullptr), kSimulateFailed);
  EXPECT_NE(err_.str().find("No space left on device"), std::string::npos) << err_.str();
  EXPECT_TRUE(fs::is_empty(small));
  ::umount(small.c_str());
}

// A log longer than one block of rows and not a whole number of blocks: the 7.3 file
// is appended to in blocks and ends with a part block; every value of every row must
// still be the one of the CSV log of the same run.
TEST_F(MatLog, ALogOfSeveralBlocksHoldsTheValuesOfTheCsvLog) {
  constexpr std::size_t kLongRows = matfile_out::kBlockRows + 1001;
  std::ofstream(req_.scenarioPath) << scenarioOfRows(kLongRows);
  req_.plot = false;
  req_.format = LogFormat::csv;
  ASSERT_EQ(simulateMain(req_, gentlePush, nullptr), kSimulateOk) << err_.str();
  req_.format = LogFormat::mat;
  for (const MatVersion version : {MatVersion::v73, MatVersion::v5}) {
    req_.matVersion = version;
    ASSERT_EQ(simulateMain(req_, gentlePush, nullptr), kSimulateOk) << err_.str();
    EXPECT_EQ(rowsUnlikeTheCsv(matPath(), dir_ / "out" / "run.csv", kLongRows), 0u);
  }
}

}  // namespace
}  // namespace substitute_host::simulate
