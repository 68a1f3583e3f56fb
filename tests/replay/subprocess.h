#pragma once

#include <string>
#include <vector>

struct ProcessResult {
  int exitStatus = -1;  // -1 when the process did not exit normally
  std::string standardOutput;
  std::string standardError;
};

// Runs the corvalent2 tool with args, standard input read from stdinPath (or empty),
// and waits for it.
ProcessResult runCorvalent2(const std::vector<std::string>& args,
                            const std::string& stdinPath = "/dev/null");

// Where the tool's standard output goes when it is not captured, and where it runs.
struct ProcessSetup {
  std::string stdinPath = "/dev/null";
  enum class Output { captured, file, appendedToFile, closed } output = Output::captured;
  std::string stdoutPath;        // for file and appendedToFile
  std::string workingDirectory;  // empty: the test's own
};
ProcessResult runCorvalent2(const std::vector<std::string>& args, const ProcessSetup& setup);

// A fresh directory for one test's files, and file helpers for it.
std::string makeScratchDirectory();
void writeFile(const std::string& path, const std::string& text);
std::string readFile(const std::string& path);
