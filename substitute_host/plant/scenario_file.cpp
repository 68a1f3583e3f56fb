// Scenarios from a file, and the built-in one.
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "plant/scenario.h"
#include "text/display_text.h"

namespace substitute_host::plant {

namespace {

// Reads at most kMaxScenarioBytes + 1 bytes: enough to tell a file that is too large.
// Empty when read, else why not.
std::string readBounded(const std::string& path, std::string& text) {
  errno = 0;
  std::ifstream in(path, std::ios::binary);
  if (!in) return std::strerror(errno);
  std::vector<char> chunk(1 << 16);
  while (text.size() <= kMaxScenarioBytes && in) {
    in.read(chunk.data(), static_cast<std::streamsize>(chunk.size()));
    text.append(chunk.data(), static_cast<std::size_t>(in.gcount()));
  }
  if (in.bad()) return errno != 0 ? std::strerror(errno) : "reading failed";
  return {};
}

}  // namespace

ScenarioParse loadScenarioFile(const std::string& path) {
  ScenarioParse failed;
  const std::string shownPath = "'" + displayText(path, 200) + "'";
  std::error_code ec;
  std::string text;
  const std::string error =
      std::filesystem::is_directory(path, ec) ? "it is a directory" : readBounded(path, text);
  if (!error.empty()) {
    failed.error = "scenario: cannot read " + shownPath + ": " + error;
    failed.unreadable = true;
    return failed;
  }
  if (text.size() > kMaxScenarioBytes) {
    failed.error = "scenario: " + shownPath + " is larger than " +
                   std::to_string(kMaxScenarioBytes >> 20) + " MiB; a scenario is never that long";
    return failed;
  }
  ScenarioParse result = parseScenario(text);
  if (result.ok()) result.scenario.name = std::filesystem::path(path).stem().string();
  return result;
}

ScenarioParse defaultScenario() {
  ScenarioParse result = parseScenario(defaultScenarioJson());
  if (result.ok()) result.scenario.name = "default";
  return result;
}

}  // namespace substitute_host::plant
