// Text from files and names reaches the gnuplot script and the messages as data: it
// runs nothing, it draws as written, and it is shown escaped and cut where a person
// reads it.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>
#include <sstream>
#include <string>
#include <vector>

#include "simulate/csv_writer.h"
#include "simulate/external_program.h"
#include "simulate/plot_script.h"
#include "simulate/simulate_main.h"

namespace substitute_host::simulate {
namespace {

namespace fs = std::filesystem;

void still(void*, const float* const[9], float* const outputs[2]) {
  for (int m = 0; m < 2; ++m) {
    for (int i = 0; i < 3; ++i) outputs[m][i] = 0.0f;
  }
}

// Texts that a careless script would run: backquotes, a newline starting a command,
// quotes that close the string, macros, and the names gnuplot opens as pipes.
const std::vector<std::string> kHostile = {
    "a`touch ran1`b",
    "n\nsystem('touch ran2')\nx",
    "q'\"x'; system(\"touch ran3\"); '",
    "<touch ran4",
    "|touch ran5",
    "@x $y \\ \\n \x01\x7f end",
    "-e system('touch ran6')",
};

class HostileText : public ::testing::Test {
 protected:
  void SetUp() override {
    if (findOnPath("gnuplot").empty()) GTEST_SKIP() << "no gnuplot";
    dir_ = fs::temp_directory_path() / ("corvalent2_hostile_" + std::to_string(::getpid()));
    fs::remove_all(dir_);
    fs::create_directories(dir_);
  }
  void TearDown() override { fs::remove_all(dir_); }

  // Every file under the folder whose name says a command ran.
  std::vector<std::string> traces() const {
    std::vector<std::string> found;
    for (const auto& entry : fs::recursive_directory_iterator(dir_)) {
      const std::string name = entry.path().filename().string();
      if (name.rfind("ran", 0) == 0) found.push_back(entry.path().string());
    }
    return found;
  }
  fs::path dir_;
};

TEST_F(HostileText, GnuplotStringsReadBackAsExactlyTheText) {
  for (const std::string& text : kHostile) {
    const fs::path script = dir_ / "print.gp";
    std::ofstream(script, std::ios::binary)
        << "set print 'printed.txt'\nprint " << gnuplotString(text) << "\n";
    ASSERT_EQ(runInDirectory(findOnPath("gnuplot"), "print.gp", dir_.string()), "");
    std::ifstream printed(dir_ / "printed.txt", std::ios::binary);
    std::stringstream back;
    back << printed.rdbuf();
    EXPECT_EQ(back.str(), text + "\n");
  }
  EXPECT_EQ(gnuplotString(""), "''");
  EXPECT_TRUE(traces().empty());
}

TEST_F(HostileText, SimulateWithHostileNamesAndDescriptionsRunsNothingAndDraws) {
  int n = 0;
  for (const std::string& name : kHostile) {
    SCOPED_TRACE(name);
    const fs::path scenario = dir_ / (name + ".json");
    // The description carries the same text; the plot's title shows it.
    std::ofstream(scenario, std::ios::binary)
        << R"({"description": )" << nlohmann::json(name).dump()
        << R"(, "duration": 0.002, "profiles": {"iqCommand": [[0, 0]], "steerAngle": [[0, 0]],)"
        << R"( "udc": [[0, 400]]}})";
    SimulateRequest req;
    req.scenarioPath = scenario.string();
    req.outputDir = (dir_ / ("out" + std::to_string(n++))).string();
    std::ostringstream out, err;
    req.out = &out;
    req.err = &err;
    ASSERT_EQ(simulateMain(req, still, nullptr), kSimulateOk) << err.str();
    EXPECT_EQ(err.str(), "");
    EXPECT_GT(fs::file_size(fs::path(req.outputDir) / (name + ".png")), 1000u);
  }
  EXPECT_TRUE(traces().empty()) << traces().front();
}

TEST(SimulateMessages, FileTextIsShownEscapedAndCut) {
  const fs::path dir =
      fs::temp_directory_path() / ("corvalent2_shown_" + std::to_string(::getpid()));
  fs::create_directories(dir);
  const fs::path scenario = dir / "noisy.json";
  const std::string description = "\x1b[2J" + std::string(5000, 'd');
  std::ofstream(scenario, std::ios::binary)
      << R"({"description": )" << nlohmann::json(description).dump()
      << R"(, "duration": 0.001, "profiles": {"iqCommand": [[0, 0]], "steerAngle": [[0, 0]],)"
      << R"( "udc": [[0, 400]]}})";
  SimulateRequest req;
  req.scenarioPath = scenario.string();
  std::ostringstream out, err;
  req.out = &out;
  req.err = &err;
  ASSERT_EQ(simulateMain(req, still, nullptr), kSimulateOk) << err.str();
  EXPECT_EQ(out.str().find('\x1b'), std::string::npos);
  EXPECT_NE(out.str().find("\\x1B[2Jddd"), std::string::npos) << out.str();
  EXPECT_NE(out.str().find("(5004 bytes in all)"), std::string::npos) << out.str();
  EXPECT_LT(out.str().size(), 1500u);
  fs::remove_all(dir);
}

TEST(CsvSize, WarnsAboveAGigabyteWithTheDecimateThatFits) {
  EXPECT_EQ(csvSizeWarning(3600.0, 1),
            "the CSV will take about 29 GB; --decimate 29 brings it under 1 GB");
  EXPECT_EQ(csvSizeWarning(3600.0, 10),
            "the CSV will take about 3 GB; --decimate 29 brings it under 1 GB");
  EXPECT_EQ(csvSizeWarning(3600.0, 29), "");
  EXPECT_EQ(csvSizeWarning(60.0, 1), "");
  EXPECT_NE(csvSizeWarning(130.0, 1), "");
}

}  // namespace
}  // namespace substitute_host::simulate
