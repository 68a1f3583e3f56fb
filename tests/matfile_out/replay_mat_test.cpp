// replay -o OUT.mat, run as the tool: the six outputs as singles, time carried over when
// the input has it, and no file under the output's name after bad input.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "tests/matfile_out/mat_reading.h"
#include "tests/support/test_folder.h"

namespace {

namespace fs = std::filesystem;
using corvalent2_test::readVariable;

const char* const kHeader =
    "iabc1_a,iabc1_b,iabc1_c,theta1,omega1,iabc2_a,iabc2_b,iabc2_c,theta2,omega2,udc,"
    "iqCommand,steerAngle";

class ReplayMat : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = corvalent2_test::freshTestFolder("corvalent2_replaymat_");
  }
  void TearDown() override { fs::remove_all(dir_); }

  // Runs the replay of `input` (CSV text) into OUT.mat; its exit status, stderr in err.
  int replay(const std::string& input, const std::string& out, std::string& err) {
    std::ofstream(dir_ / "in.csv") << input;
    const std::string command = std::string(CORVALENT2_TOOL) + " replay '" +
                                (dir_ / "in.csv").string() + "' -o '" + (dir_ / out).string() +
                                "' 2> '" + (dir_ / "err.txt").string() + "'";
    const int status = std::system(command.c_str());
    std::ifstream in(dir_ / "err.txt");
    std::ostringstream text;
    text << in.rdbuf();
    err = text.str();
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }

  fs::path dir_;
};

TEST_F(ReplayMat, WritesTheSixOutputsAndTheTimeOfTheInput) {
  std::string err;
  const std::string rows = std::string(kHeader) + ",time\n" +
                           "0,0,0,0,0,0,0,0,0,0,400,10,0,0.25\n"
                           "0,0,0,0,0,0,0,0,0,0,400,10,0,0.5\n";
  ASSERT_EQ(replay(rows, "out.MAT", err), 0) << err;
  const std::string path = (dir_ / "out.MAT").string();
  for (const char* name :
       {"vabcNorm1_a", "vabcNorm1_b", "vabcNorm1_c", "vabcNorm2_a", "vabcNorm2_b", "vabcNorm2_c"}) {
    const auto var = readVariable(path, name);
    EXPECT_EQ(var.classType, MAT_C_SINGLE) << name;
    EXPECT_EQ(var.rows, 2u) << name;
  }
  const auto time = readVariable(path, "time");
  EXPECT_EQ(time.classType, MAT_C_DOUBLE);
  ASSERT_EQ(time.rows, 2u);
  EXPECT_EQ(time.at<double>(1), 0.5);
}

TEST_F(ReplayMat, WritesNoTimeWhenTheInputHasNone) {
  std::string err;
  ASSERT_EQ(replay(std::string(kHeader) + "\n0,0,0,0,0,0,0,0,0,0,400,10,0\n", "out.mat", err), 0)
      << err;
  EXPECT_TRUE(readVariable((dir_ / "out.mat").string(), "vabcNorm2_c").found);
  EXPECT_FALSE(readVariable((dir_ / "out.mat").string(), "time").found);
}

TEST_F(ReplayMat, BadInputLeavesNoFile) {
  std::string err;
  const std::string rows = std::string(kHeader) + ",time\n" +
                           "0,0,0,0,0,0,0,0,0,0,400,10,0,0.25\n"
                           "0,0,0,0,0,0,0,0,0,0,400,10,0,soon\n";
  EXPECT_EQ(replay(rows, "out.mat", err), 2);
  EXPECT_EQ(err, "corvalent2 replay: " + (dir_ / "in.csv").string() +
                     ": line 3, column 'time' (field 14): 'soon' is not a number\n");
  EXPECT_FALSE(fs::exists(dir_ / "out.mat"));
  EXPECT_EQ(std::distance(fs::directory_iterator(dir_), fs::directory_iterator()), 2);
}

}  // namespace
