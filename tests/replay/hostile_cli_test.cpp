// The corvalent2 tool against a hostile or careless caller: no failed write ends in
// success, an empty or ambiguous path means no file by accident, a module path means
// that file, and what comes from files is shown escaped and cut.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <iterator>
#include <string>
#include <thread>

#include "scratch_directory_test.h"
#include "subprocess.h"

namespace {

namespace fs = std::filesystem;

const std::string kHeader =
    "iabc1_a,iabc1_b,iabc1_c,theta1,omega1,iabc2_a,iabc2_b,iabc2_c,theta2,omega2,udc,"
    "iqCommand,steerAngle\n";
const std::string kRow = "-7.57,8,-0.43,0.5,100,5,-2,-3,1.2,100,400,0,0.005\n";
const std::string kShortRun =
    R"({"duration": 0.01, "profiles": {"iqCommand": [[0, 40]], "steerAngle": [[0, 0]], "udc": [[0, 400]]}})";

bool contains(const std::string& text, const std::string& part) {
  return text.find(part) != std::string::npos;
}

class HostileCaller : public ScratchDirectoryTest {
 protected:
  static ProcessResult runWithOutput(const std::vector<std::string>& args,
                                     ProcessSetup::Output output, const std::string& to = "") {
    ProcessSetup setup;
    setup.output = output;
    setup.stdoutPath = to;
    return runCorvalent2(args, setup);
  }
};

TEST_F(HostileCaller, FailedWritesToStandardOutputEndInFailure) {
  using Output = ProcessSetup::Output;
  ProcessResult result = runWithOutput({"sizes"}, Output::file, "/dev/full");
  EXPECT_EQ(result.exitStatus, 1);
  EXPECT_EQ(result.standardError,
            "corvalent2 sizes: writing standard output failed: No space left on device\n");

  result = runWithOutput({"replay", "--help"}, Output::file, "/dev/full");
  EXPECT_EQ(result.exitStatus, 1);
  EXPECT_TRUE(contains(result.standardError, "corvalent2 help: writing standard output failed"))
      << result.standardError;

  result = runWithOutput({"sizes"}, Output::closed);
  EXPECT_EQ(result.exitStatus, 1);
  EXPECT_TRUE(contains(result.standardError, "writing standard output failed"))
      << result.standardError;

  const std::string scenario = file("short.json", kShortRun);
  result = runWithOutput({"simulate", scenario, "-o", path("out"), "--no-plot"}, Output::file,
                         "/dev/full");
  EXPECT_EQ(result.exitStatus, 1);
  EXPECT_TRUE(contains(result.standardError, "simulate: writing the summary failed"))
      << result.standardError;

  result = runWithOutput({"replay", file("in.csv", kHeader + kRow)}, Output::closed);
  EXPECT_EQ(result.exitStatus, 1);
  EXPECT_TRUE(contains(result.standardError, "writing the output failed")) << result.standardError;
}

// Feeds the tool's input through a pipe and, once the tool has begun its output beside
// `output`, puts a folder in the output's place before the input ends: the output is
// complete but cannot take its name.
void feedThenTakeTheOutputsName(const std::string& fifo, const std::string& text,
                                const fs::path& output) {
  using Clock = std::chrono::steady_clock;
  const auto deadline = Clock::now() + std::chrono::seconds(30);
  int fd = -1;
  while (fd < 0 && Clock::now() < deadline) {
    fd = ::open(fifo.c_str(), O_WRONLY | O_NONBLOCK);  // fails until the tool reads
    if (fd < 0) std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  if (fd < 0) return;
  const bool written = ::write(fd, text.data(), text.size()) == static_cast<ssize_t>(text.size());
  const std::string begun = "." + output.filename().string() + ".";
  bool found = false;
  while (written && !found && Clock::now() < deadline) {
    for (const auto& entry : fs::directory_iterator(output.parent_path())) {
      found = found || entry.path().filename().string().rfind(begun, 0) == 0;
    }
    if (!found) std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  if (found) fs::create_directory(output);
  ::close(fd);
}

TEST_F(HostileCaller, AnOutputThatCannotTakeItsNameIsAFailureAndLeavesNothing) {
  const std::string fifo = path("in.fifo");
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  std::thread feeder(feedThenTakeTheOutputsName, fifo, kHeader + kRow, fs::path(path("out.csv")));
  const ProcessResult result = runCorvalent2({"replay", fifo, "-o", path("out.csv"), "--direct"});
  feeder.join();
  EXPECT_EQ(result.exitStatus, 1);
  EXPECT_EQ(result.standardError, "corvalent2 replay: " + path("out.csv") +
                                      ": writing the output failed: Is a directory\n");
  EXPECT_TRUE(fs::is_directory(path("out.csv")));
  EXPECT_TRUE(fs::is_empty(path("out.csv")));
  EXPECT_EQ(std::distance(fs::directory_iterator(directory_), fs::directory_iterator()), 2)
      << "only the pipe and the folder";
}

TEST_F(HostileCaller, AnOutputNamedLikeAFolderIsRefusedBeforeTheReplay) {
  fs::create_directory(path("out.csv"));
  const ProcessResult result =
      runCorvalent2({"replay", file("in.csv", kHeader + kRow), "-o", path("out.csv")});
  EXPECT_EQ(result.exitStatus, 2);
  EXPECT_EQ(result.standardError, "corvalent2 replay: " + path("out.csv") + ": Is a directory\n");
  EXPECT_TRUE(fs::is_empty(path("out.csv")));
}

TEST_F(HostileCaller, EmptyPathsAreRefusedNotTakenForStandardStreams) {
  const std::string in = file("in.csv", kHeader + kRow);
  const std::string scenario = file("short.json", kShortRun);
  for (const auto& args : std::vector<std::vector<std::string>>{{"replay", ""},
                                                                {"replay", in, "-o", ""},
                                                                {"replay", in, "--module", ""},
                                                                {"simulate", ""},
                                                                {"simulate", scenario, "-o", ""},
                                                                {"sizes", "--module", ""}}) {
    const ProcessResult result = runCorvalent2(args, in);
    EXPECT_EQ(result.exitStatus, 2) << args.back();
    EXPECT_TRUE(contains(result.standardError, "an empty path names no file"))
        << result.standardError;
    EXPECT_EQ(result.standardOutput, "");
  }
}

TEST_F(HostileCaller, AppendingTheOutputToTheInputIsRefused) {
  const std::string in = file("in.csv", kHeader + kRow);
  using Output = ProcessSetup::Output;
  ProcessResult result = runWithOutput({"replay", in}, Output::appendedToFile, in);
  EXPECT_EQ(result.exitStatus, 2);
  EXPECT_EQ(result.standardError,
            "corvalent2 replay: standard output: is the input file; writing it would destroy the "
            "input\n");
  EXPECT_EQ(readFile(in), kHeader + kRow);

  ProcessSetup fromStdin;
  fromStdin.stdinPath = in;
  fromStdin.output = Output::appendedToFile;
  fromStdin.stdoutPath = in;
  result = runCorvalent2({"replay"}, fromStdin);
  EXPECT_EQ(result.exitStatus, 2);
  EXPECT_EQ(readFile(in), kHeader + kRow);

  // Another file, appended to, is fine.
  result = runWithOutput({"replay", in}, Output::appendedToFile, path("log.csv"));
  EXPECT_EQ(result.exitStatus, 0) << result.standardError;
}

TEST_F(HostileCaller, AModuleGivenByNameIsTheFileInTheCurrentFolder) {
  // Not the module next to the tool, which the loader's search path would find first.
  writeFile(path("Corvalent2.mexa64"), "not a module");
  ProcessSetup here;
  here.workingDirectory = directory_;
  ProcessResult result = runCorvalent2({"sizes", "--module", "Corvalent2.mexa64"}, here);
  EXPECT_EQ(result.exitStatus, 2);
  EXPECT_TRUE(contains(result.standardError, "cannot load the plug-in module 'Corvalent2.mexa64'"))
      << result.standardError;

  fs::copy_file(CORVALENT2_MODULE, path("Corvalent2.mexa64"), fs::copy_options::overwrite_existing);
  result = runCorvalent2({"sizes", "--module", "Corvalent2.mexa64"}, here);
  EXPECT_EQ(result.exitStatus, 0) << result.standardError;
  EXPECT_TRUE(contains(result.standardOutput, "8480229\n"));
}

TEST_F(HostileCaller, RequestsAreRefusedInFewPlainWords) {
  ProcessResult result = runCorvalent2({"simulate", "--decimate", "0"});
  EXPECT_EQ(result.exitStatus, 2);
  EXPECT_TRUE(contains(result.standardError,
                       "--decimate: must be a whole number from 1 to 2147483647, got '0'"))
      << result.standardError;
  EXPECT_LT(result.standardError.size(), 200u);

  // Arguments echoed in a usage error are escaped too.
  result = runCorvalent2({"replay", "a.csv", "b\x1b]0;owned\x07.csv"});
  EXPECT_EQ(result.exitStatus, 2);
  EXPECT_TRUE(contains(result.standardError, "b\\x1B]0;owned\\x07.csv")) << result.standardError;
  EXPECT_EQ(result.standardError.find('\x1b'), std::string::npos);

  // A field with a NUL and terminal controls: shown whole, escaped.
  const std::string in = file(
      "bad.csv", kHeader + "1,2,3,4" + std::string(1, '\0') + "\x1b[2J,5,6,7,8,9,10,11,12,13\n");
  result = runCorvalent2({"replay", in, "--direct"});
  EXPECT_EQ(result.exitStatus, 2);
  EXPECT_TRUE(contains(result.standardError, "'4\\x00\\x1B[2J' is not a number"))
      << result.standardError;
}

TEST_F(HostileCaller, ALongRunIsWarnedOfAndAFolderThatCannotBeWrittenSaysWhy) {
  const std::string hour = file(
      "hour.json",
      R"({"duration": 3600, "profiles": {"iqCommand": [[0, 0]], "steerAngle": [[0, 0]], "udc": [[0, 400]]}})");
  fs::create_directories(path("out/hour.csv"));  // the CSV's name is taken by a folder
  const ProcessResult result = runCorvalent2({"simulate", hour, "-o", path("out")});
  EXPECT_EQ(result.exitStatus, 1);
  EXPECT_TRUE(contains(result.standardError,
                       "simulate: warning: the CSV will take about 29 GB; --decimate 29 brings it "
                       "under 1 GB\n"))
      << result.standardError;
  EXPECT_TRUE(contains(result.standardError, "hour.csv: Is a directory")) << result.standardError;
}

}  // namespace
