// Replays through the loaded plug-in module, as installed into a host record, against
// the controller linked into the tool: the two must agree bit for bit.
#include <cstdio>
#include <random>
#include <string>

#include <gtest/gtest.h>

#include "subprocess.h"

namespace {

// Varied rows with every kind of value the block can meet, specials included.
std::string randomInputFile(int rows, unsigned seed) {
  std::mt19937 rng(seed);
  std::uniform_real_distribution<float> value(-500, 500), angle(-7, 7), small(-1.7f, 1.7f);
  std::string text =
      "time,iabc1_a,iabc1_b,iabc1_c,theta1,omega1,iabc2_a,iabc2_b,iabc2_c,theta2,omega2,udc,"
      "iqCommand,steerAngle\n";
  char field[32];
  for (int r = 0; r < rows; ++r) {
    text += std::to_string(r);
    for (int c = 0; c < 13; ++c) {
      float v = (c == 3 || c == 8) ? angle(rng) : c == 12 ? small(rng) : value(rng);
      if (r % 997 == 5 && c == 4) v = 0.0f;
      std::snprintf(field, sizeof field, ",%.9g", static_cast<double>(v));
      text += field;
    }
    text += "\n";
  }
  text += "1,0,0,0,0,0,0,0,0,0,0,0,0,0\n";          // udc 0: infinities and NaN out
  text += "2,nan,0,0,0,inf,0,0,0,0,-inf,400,0,0\n";  // NaN stays in the differential
  text += "3,1,2,3,0.5,100,1,2,3,0.5,100,400,10,0.1\n";
  return text;
}

class ModuleReplay : public ::testing::Test {
 protected:
  void SetUp() override {
    directory_ = makeScratchDirectory();
    input_ = directory_ + "/in.csv";
    writeFile(input_, randomInputFile(20000, 2026));
  }
  std::string replay(const std::vector<std::string>& options) {
    std::vector<std::string> args = {"replay", input_};
    args.insert(args.end(), options.begin(), options.end());
    const ProcessResult result = runCorvalent2(args);
    EXPECT_EQ(result.exitStatus, 0) << result.standardError;
    return result.standardOutput;
  }
  std::string directory_, input_;
};

TEST_F(ModuleReplay, SlotFlagAndDirectPathsAgreeBitForBit) {
  const std::string direct = replay({"--direct"});
  ASSERT_GT(direct.size(), 20000u * 6u);
  EXPECT_EQ(replay({}), direct);
  EXPECT_EQ(replay({"--via", "slot", "--module", CORVALENT2_MODULE}), direct);
  EXPECT_EQ(replay({"--via", "flag"}), direct);
}

TEST_F(ModuleReplay, MissingOrWrongModuleIsAUsageError) {
  ProcessResult result = runCorvalent2({"replay", input_, "--module", directory_ + "/none"});
  EXPECT_EQ(result.exitStatus, 2);
  EXPECT_NE(result.standardError.find("cannot load the plug-in module"), std::string::npos);
  EXPECT_TRUE(result.standardOutput.empty());
  writeFile(directory_ + "/fake.mexa64", "not a module");
  result = runCorvalent2({"replay", input_, "--module", directory_ + "/fake.mexa64"});
  EXPECT_EQ(result.exitStatus, 2);
  result = runCorvalent2({"sizes", "--module", directory_ + "/none"});
  EXPECT_EQ(result.exitStatus, 2);
  result = runCorvalent2({"replay", input_, "--via", "wire"});
  EXPECT_EQ(result.exitStatus, 2);
  result = runCorvalent2({"replay", input_, "--direct", "--via", "flag"});
  EXPECT_EQ(result.exitStatus, 2);
}

TEST(SizesCommand, PrintsTheFortyEntriesOfTheQuery) {
  const ProcessResult result = runCorvalent2({"sizes"});
  ASSERT_EQ(result.exitStatus, 0) << result.standardError;
  std::string expected;
  for (int k = 0; k < 40; ++k) {
    const char* entry = k == 2 ? "2" : k == 3 ? "9" : k == 6 ? "1" : k == 19 ? "8480229"
                      : k == 23 ? "537403394" : k == 31 ? "524290" : "0";
    expected += std::string(entry) + "\n";
  }
  EXPECT_EQ(result.standardOutput, expected);
}

}  // namespace
