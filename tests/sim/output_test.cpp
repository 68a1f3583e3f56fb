// CSV, plot, summary, progress and the simulate entry point, driven by a stand-in
// controller that keeps no state.
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "plant/step_record.h"
#include "simulate/csv_writer.h"
#include "simulate/plot_script.h"
#include "simulate/progress_bar.h"
#include "simulate/simulate_main.h"

namespace substitute_host::simulate {
namespace {

namespace fs = std::filesystem;

// A small constant voltage on both motors, enough to move the vehicle.
void gentlePush(void*, const float* const[9], float* const outputs[2]) {
  const float v[3] = {0.0f, 0.01f, -0.01f};
  for (int m = 0; m < 2; ++m) {
    for (int i = 0; i < 3; ++i) outputs[m][i] = v[i];
  }
}

std::vector<std::string> split(const std::string& line) {
  std::vector<std::string> fields;
  std::stringstream s(line);
  std::string f;
  while (std::getline(s, f, ',')) fields.push_back(f);
  return fields;
}

class TempDir : public ::testing::Test {
 protected:
  void SetUp() override {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    dir_ = fs::temp_directory_path() /
           ("corvalent2_sim_" + std::string(info->name()) + "_" + std::to_string(::getpid()));
    fs::remove_all(dir_);
  }
  void TearDown() override { fs::remove_all(dir_); }

  std::string writeScenario(const std::string& name, const std::string& text) {
    fs::create_directories(dir_ / "in");
    const fs::path p = dir_ / "in" / (name + ".json");
    std::ofstream(p) << text;
    return p.string();
  }

  fs::path dir_;
};

const char* const kShortScenario =
    R"({"duration": 0.01, "profiles": {"iqCommand": [[0, 0]], "steerAngle": [[0, 0]],
        "udc": [[0, 400]]}})";

// What a CsvWriter wrote, in a temporary file.
struct WrittenText {
  std::FILE* file = std::tmpfile();
  ~WrittenText() {
    if (file != nullptr) std::fclose(file);
  }
  std::string str() const {
    std::string text;
    if (file == nullptr || std::fflush(file) != 0) return text;
    std::rewind(file);
    char buffer[4096];
    for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, file)) > 0;) text.append(buffer, n);
    return text;
  }
};

TEST(Csv, RowsMatchTheHeaderAndKeepTheBlockSignalsExact) {
  WrittenText text;
  CsvWriter csv(text.file);
  ASSERT_TRUE(csv.writeHeader());
  plant::StepRecord r{};
  r.time = 0.00015;
  r.inputs[0] = 0.1f;            // iabc1_a: not exactly representable, must read back the same
  r.inputs[10] = 400.0f;         // udc
  r.outputs[5] = -0.987654321f;  // vabcNorm2_c
  r.motor[1].slip = 0.0123;
  r.y = -3.5;
  ASSERT_TRUE(csv.write(r));

  std::istringstream lines(text.str());
  std::string header, row;
  std::getline(lines, header);
  std::getline(lines, row);
  const auto names = split(header);
  const auto values = split(row);
  ASSERT_EQ(names.size(), 36u);
  ASSERT_EQ(values.size(), names.size());
  const auto value = [&](const std::string& name) {
    const auto at = std::find(names.begin(), names.end(), name);
    return at == names.end() ? "missing " + name : values[at - names.begin()];
  };
  EXPECT_EQ(value("time_s"), "0.00015");
  EXPECT_EQ(std::strtof(value("iabc1_a").c_str(), nullptr), 0.1f);
  EXPECT_EQ(value("udc"), "400");
  EXPECT_EQ(std::strtof(value("vabcNorm2_c").c_str(), nullptr), -0.987654321f);
  EXPECT_EQ(value("slip2"), "0.0123");
  EXPECT_EQ(value("y_m"), "-3.5");
}

// A record whose every field holds a value of its own, so that a value read from the
// wrong field, or put in the wrong place, shows.
plant::StepRecord distinctRecord() {
  plant::StepRecord r{};
  double next = 1.0;
  r.time = next++;
  for (float& v : r.inputs) v = static_cast<float>(next++);
  for (float& v : r.outputs) v = static_cast<float>(next++);
  for (auto& m : r.motor) {
    for (double* v : {&m.id, &m.iq, &m.torque, &m.modIndex, &m.idealOmega, &m.slip}) *v = next++;
  }
  for (double* v : {&r.speed, &r.yawRate, &r.x, &r.y}) *v = next++;
  return r;
}

// The MAT log takes a record's values all at once rather than column by column: the
// same values, in the columns' order.
TEST(RecordValues, AreTheColumnsReadingsInTheirOrder) {
  const plant::StepRecord r = distinctRecord();
  std::array<double, plant::kRecordColumnCount> values{};
  plant::recordValues(r, values);
  const auto columns = plant::recordColumns();
  ASSERT_EQ(columns.size(), values.size());
  for (std::size_t i = 0; i < columns.size(); ++i)
    EXPECT_EQ(values[i], columns[i].read(r)) << columns[i].header;
}

TEST(Csv, BlockSignalsBearTheNamesTheReplayReadsAndThePlotFindsItsColumns) {
  WrittenText text;
  CsvWriter csv(text.file);
  ASSERT_TRUE(csv.writeHeader());
  std::string header = text.str();
  ASSERT_FALSE(header.empty());
  header.pop_back();  // the newline
  // The block's inputs and outputs in port order, named as the replay's columns, so that
  // a log replays as written.
  EXPECT_EQ(header.substr(0, header.find(",id1_A")),
            "time_s,iabc1_a,iabc1_b,iabc1_c,theta1,omega1,iabc2_a,iabc2_b,iabc2_c,theta2,omega2,"
            "udc,iqCommand,steerAngle,vabcNorm1_a,vabcNorm1_b,vabcNorm1_c,vabcNorm2_a,"
            "vabcNorm2_b,vabcNorm2_c");

  // Every column the plot script draws is one the CSV has: by name after "using",
  // after a ':' or inside column(...).
  const std::vector<std::string> names = split(header);
  PlotRequest request;
  request.csvFile = "run.csv";
  request.pngFile = "run.png";
  request.rows = 100;
  const std::string script = plotScript(request);
  const std::regex usedColumn(R"re((?:column\(|using |:)"(\w+)")re");
  int used = 0;
  for (auto match = std::sregex_iterator(script.begin(), script.end(), usedColumn);
       match != std::sregex_iterator(); ++match, ++used) {
    EXPECT_NE(std::find(names.begin(), names.end(), (*match)[1].str()), names.end())
        << "the plot draws a column the CSV lacks: " << (*match)[1];
  }
  EXPECT_GE(used, 20) << script;
}

TEST(ProgressBar, StaysQuietForTheFirstSecondAndCleansUpAfter) {
  std::ostringstream out;
  ProgressBar bar(&out);
  bar.update(0.5, 0.9);
  EXPECT_EQ(out.str(), "");
  bar.update(0.5, 1.2);
  EXPECT_NE(out.str().find("50 %"), std::string::npos) << out.str();
  bar.finish();
  EXPECT_EQ(out.str().back(), '\r');

  std::ostringstream quiet;
  ProgressBar shortRun(&quiet);
  shortRun.update(0.9, 0.5);
  shortRun.finish();
  EXPECT_EQ(quiet.str(), "");
}

TEST_F(TempDir, SimulateWritesCsvScriptAndPlot) {
  if (std::system("command -v gnuplot > /dev/null 2>&1") != 0) GTEST_SKIP() << "no gnuplot";
  SimulateRequest req;
  req.scenarioPath = writeScenario("short", kShortScenario);
  req.outputDir = (dir_ / "out").string();
  req.decimate = 3;
  std::ostringstream out, err;
  req.out = &out;
  req.err = &err;
  ASSERT_EQ(simulateMain(req, gentlePush, nullptr), kSimulateOk) << err.str();
  EXPECT_NE(out.str().find("Scenario short"), std::string::npos) << out.str();
  EXPECT_GT(fs::file_size(dir_ / "out" / "short.png"), 1000u);
  EXPECT_TRUE(fs::exists(dir_ / "out" / "short.gp"));

  std::ifstream csv(dir_ / "out" / "short.csv");
  std::string line;
  int lines = 0;
  while (std::getline(csv, line)) ++lines;
  EXPECT_EQ(lines, 1 + 67);  // header, then steps 0, 3, ..., 198
}

TEST_F(TempDir, SimulateWithoutGnuplotStillWritesTheCsvAndSucceeds) {
  const char* saved = std::getenv("PATH");
  const std::string path = saved != nullptr ? saved : "";
  fs::create_directories(dir_ / "empty");
  ::setenv("PATH", (dir_ / "empty").c_str(), 1);
  SimulateRequest req;
  req.scenarioPath = writeScenario("nogp", kShortScenario);
  req.outputDir = (dir_ / "out").string();
  std::ostringstream out, err;
  req.out = &out;
  req.err = &err;
  const int status = simulateMain(req, gentlePush, nullptr);
  ::setenv("PATH", path.c_str(), 1);
  EXPECT_EQ(status, kSimulateOk) << err.str();
  EXPECT_NE(err.str().find("plot skipped: gnuplot was not found on PATH"), std::string::npos)
      << err.str();
  EXPECT_TRUE(fs::exists(dir_ / "out" / "nogp.csv"));
  EXPECT_FALSE(fs::exists(dir_ / "out" / "nogp.png"));
}

TEST_F(TempDir, RefusedScenarioRunsNothingAndWritesNothing) {
  SimulateRequest req;
  req.scenarioPath = writeScenario("bad", R"({"duration": -1, "profiles": {}})");
  req.outputDir = (dir_ / "out").string();
  std::ostringstream out, err;
  req.out = &out;
  req.err = &err;
  bool called = false;
  const auto step = [](void* ctx, const float* const[9], float* const[2]) {
    *static_cast<bool*>(ctx) = true;
  };
  EXPECT_EQ(simulateMain(req, step, &called), kSimulateRefused);
  EXPECT_FALSE(called);
  EXPECT_EQ(err.str(), "scenario: duration: must be above 0 and at most 3600 s, got -1\n");
  EXPECT_EQ(out.str(), "");
  EXPECT_FALSE(fs::exists(dir_ / "out"));

  req.scenarioPath = writeScenario("good", kShortScenario);
  req.decimate = 0;
  err.str("");
  EXPECT_EQ(simulateMain(req, step, &called), kSimulateRefused);
  EXPECT_FALSE(called);
  EXPECT_NE(err.str().find("decimate"), std::string::npos) << err.str();
}

// A run whose plant state stops being finite fails, and leaves no log under the final
// name (nor a temporary one beside it); a log of the same name from before stays.
TEST_F(TempDir, AFailedRunLeavesNoLogAndKeepsAnEarlierOne) {
  SimulateRequest req;
  req.scenarioPath = writeScenario("diverges", kShortScenario);
  req.outputDir = (dir_ / "out").string();
  req.plot = false;
  std::ostringstream out, err;
  req.out = &out;
  req.err = &err;
  const auto notANumber = [](void*, const float* const[9], float* const outputs[2]) {
    for (int m = 0; m < 2; ++m)
      for (int i = 0; i < 3; ++i) outputs[m][i] = std::nanf("");
  };
  EXPECT_EQ(simulateMain(req, notANumber, nullptr), kSimulateFailed);
  EXPECT_NE(err.str().find("finite"), std::string::npos) << err.str();
  EXPECT_TRUE(fs::is_empty(dir_ / "out"));

  fs::create_directories(dir_ / "out");
  {
    std::ofstream earlier(dir_ / "out" / "diverges.csv");
    earlier << "an earlier log\n";
  }
  EXPECT_EQ(simulateMain(req, notANumber, nullptr), kSimulateFailed);
  std::ifstream kept(dir_ / "out" / "diverges.csv");
  std::string line;
  std::getline(kept, line);
  EXPECT_EQ(line, "an earlier log");
  EXPECT_EQ(std::distance(fs::directory_iterator(dir_ / "out"), fs::directory_iterator()), 1);
}

}  // namespace
}  // namespace substitute_host::simulate
