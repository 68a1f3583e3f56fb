#include "subprocess.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <sstream>

#include <gtest/gtest.h>

extern char** environ;

std::string makeScratchDirectory() {
  std::string pattern = ::testing::TempDir() + "corvalent2_replay_XXXXXX";
  const char* made = ::mkdtemp(pattern.data());
  EXPECT_NE(made, nullptr) << "cannot make a scratch directory";
  return pattern;
}

void writeFile(const std::string& path, const std::string& text) {
  std::ofstream(path, std::ios::binary) << text;
}

std::string readFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

namespace {

void routeStandardOutput(posix_spawn_file_actions_t& actions, const ProcessSetup& setup,
                         const std::string& capturePath) {
  switch (setup.output) {
    case ProcessSetup::Output::captured:
      posix_spawn_file_actions_addopen(&actions, 1, capturePath.c_str(),
                                       O_WRONLY | O_CREAT | O_TRUNC, 0600);
      break;
    case ProcessSetup::Output::file:
      posix_spawn_file_actions_addopen(&actions, 1, setup.stdoutPath.c_str(),
                                       O_WRONLY | O_CREAT | O_TRUNC, 0600);
      break;
    case ProcessSetup::Output::appendedToFile:
      posix_spawn_file_actions_addopen(&actions, 1, setup.stdoutPath.c_str(),
                                       O_WRONLY | O_CREAT | O_APPEND, 0600);
      break;
    case ProcessSetup::Output::closed:
      posix_spawn_file_actions_addclose(&actions, 1);
      break;
  }
}

}  // namespace

ProcessResult runCorvalent2(const std::vector<std::string>& args, const std::string& stdinPath) {
  ProcessSetup setup;
  setup.stdinPath = stdinPath;
  return runCorvalent2(args, setup);
}

ProcessResult runCorvalent2(const std::vector<std::string>& args, const ProcessSetup& setup) {
  const std::string directory = makeScratchDirectory();
  const std::string outPath = directory + "/stdout";
  const std::string errPath = directory + "/stderr";

  std::vector<std::string> argvText{CORVALENT2_EXE};
  argvText.insert(argvText.end(), args.begin(), args.end());
  std::vector<char*> argv;
  for (std::string& arg : argvText) argv.push_back(arg.data());
  argv.push_back(nullptr);

  // Files rather than pipes: nothing to drain while waiting, so no deadlock.
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 0, setup.stdinPath.c_str(), O_RDONLY, 0);
  routeStandardOutput(actions, setup, outPath);
  posix_spawn_file_actions_addopen(&actions, 2, errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
  if (!setup.workingDirectory.empty()) {
    posix_spawn_file_actions_addchdir_np(&actions, setup.workingDirectory.c_str());
  }

  ProcessResult result;
  pid_t pid = 0;
  const int spawned = posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  EXPECT_EQ(spawned, 0) << "cannot start " << argv[0];
  if (spawned == 0) {
    int status = 0;
    ::waitpid(pid, &status, 0);
    if (WIFEXITED(status)) result.exitStatus = WEXITSTATUS(status);
  }
  result.standardOutput = readFile(outPath);
  result.standardError = readFile(errPath);
  std::remove(outPath.c_str());
  std::remove(errPath.c_str());
  ::rmdir(directory.c_str());
  return result;
}
