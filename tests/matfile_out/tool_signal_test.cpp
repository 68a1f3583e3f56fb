// The corvalent2 tool stopped by a signal in the middle of a long run: it closes the
// rows logged so far into a MAT file that reads back, says so, and ends with 128 + the
// signal's number.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>
#include <string>
#include <thread>

#include "tests/matfile_out/mat_reading.h"
#include "tests/support/test_folder.h"

extern char** environ;

namespace {

namespace fs = std::filesystem;
using corvalent2_test::readVariable;

class ToolSignal : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = corvalent2_test::freshTestFolder("corvalent2_signal_");
    // An hour of driving: far longer than the test waits.
    std::ofstream(dir_ / "long.json")
        << R"({"duration": 3600, "profiles": {"iqCommand": [[0, 20]], "steerAngle": [[0, 0]],
               "udc": [[0, 400]]}})";
  }
  void TearDown() override { fs::remove_all(dir_); }

  // Starts the tool on the long scenario with its standard error in a file; -1 on failure.
  pid_t start(const std::string& version, const std::string& decimate) {
    const std::string scenario = (dir_ / "long.json").string(), out = (dir_ / "out").string(),
                      err = (dir_ / "stderr.txt").string();
    const char* argv[] = {CORVALENT2_TOOL,
                          "simulate",
                          scenario.c_str(),
                          "-o",
                          out.c_str(),
                          "--format",
                          "mat",
                          "--mat-version",
                          version.c_str(),
                          "--decimate",
                          decimate.c_str(),
                          "--no-plot",
                          nullptr};
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    pid_t pid = -1;
    const int failed = posix_spawn(&pid, CORVALENT2_TOOL, &actions, nullptr,
                                   const_cast<char* const*>(argv), environ);
    posix_spawn_file_actions_destroy(&actions);
    return failed == 0 ? pid : -1;
  }

  // Whether the run's hidden file has appeared within ten seconds.
  bool runHasStarted() const {
    for (int i = 0; i < 1000; ++i) {
      if (fs::exists(dir_ / "out")) {
        for (const auto& entry : fs::directory_iterator(dir_ / "out"))
          if (entry.path().filename().string().starts_with(".long.mat.")) return true;
      }
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return false;
  }

  std::string stderrText() const {
    std::ifstream in(dir_ / "stderr.txt");
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
  }

  void stopAndCheck(const std::string& version, const std::string& decimate, int signal) {
    const pid_t pid = start(version, decimate);
    ASSERT_GT(pid, 0);
    ASSERT_TRUE(runHasStarted());
    std::this_thread::sleep_for(std::chrono::milliseconds(300));  // some rows logged
    ASSERT_EQ(::kill(pid, signal), 0);
    int status = 0;
    ASSERT_EQ(::waitpid(pid, &status, 0), pid);
    ASSERT_TRUE(WIFEXITED(status)) << status;
    EXPECT_EQ(WEXITSTATUS(status), 128 + signal);
    const std::string path = (dir_ / "out" / "long.mat").string();
    const std::regex said("simulate: stopped by signal " + std::to_string(signal) +
                          " at t = [0-9.e+-]+ s; the ([0-9]+) rows logged so far are in " + path +
                          "\n");
    std::smatch match;
    const std::string text = stderrText();
    ASSERT_TRUE(std::regex_match(text, match, said)) << text;
    const std::size_t rows = std::stoul(match[1]);
    EXPECT_GT(rows, 0u);
    const auto time = readVariable(path, "time_s");
    ASSERT_EQ(time.rows, rows);
    EXPECT_EQ(time.at<double>(rows - 1),
              static_cast<double>((rows - 1) * std::stoul(decimate)) * 50e-6);
    EXPECT_EQ(readVariable(path, "vabcNorm2_c").rows, rows);
    EXPECT_EQ(std::distance(fs::directory_iterator(dir_ / "out"), fs::directory_iterator()), 1);
  }

  fs::path dir_;
};

TEST_F(ToolSignal, SigintClosesTheRowsSoFarInto73) { stopAndCheck("7.3", "1", SIGINT); }
// Level 5 holds its rows in memory, and a log of the whole hour would not fit the bound.
TEST_F(ToolSignal, SigtermClosesTheRowsSoFarIntoLevel5) { stopAndCheck("5", "100", SIGTERM); }

}  // namespace
