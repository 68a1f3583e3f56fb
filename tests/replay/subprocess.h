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

// A fresh directory for one test's files, and file helpers for it.
std::string makeScratchDirectory();
void writeFile(const std::string& path, const std::string& text);
std::string readFile(const std::string& path);
