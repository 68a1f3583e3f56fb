#include "replay_command.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>

#include "replay/csv_replay.h"
#include "replay/direct_step.h"

namespace corvalent2 {
namespace {

struct ReplayOptions {
  std::string input = "-";
  std::string output = "-";
};

bool isStandardStream(const std::string& path) { return path.empty() || path == "-"; }

// Opening the output truncates it, so naming the input file as output would destroy
// the input before a row was read.
bool isSameFile(std::FILE* opened, const std::string& path) {
  struct stat openedStat {}, pathStat {};
  return ::fstat(::fileno(opened), &openedStat) == 0 && ::stat(path.c_str(), &pathStat) == 0 &&
         S_ISREG(pathStat.st_mode) && openedStat.st_dev == pathStat.st_dev &&
         openedStat.st_ino == pathStat.st_ino;
}

void complain(const std::string& what, const std::string& message) {
  std::fprintf(stderr, "corvalent2 replay: %s: %s\n", what.c_str(), message.c_str());
}

int runReplay(const ReplayOptions& options) {
  const bool inputIsStdin = isStandardStream(options.input);
  const std::string inputName = inputIsStdin ? "standard input" : options.input;
  std::FILE* in = inputIsStdin ? stdin : std::fopen(options.input.c_str(), "rb");
  if (in == nullptr) {
    complain(inputName, std::strerror(errno));
    return kExitUsage;
  }
  const bool outputIsStdout = isStandardStream(options.output);
  const std::string outputName = outputIsStdout ? "standard output" : options.output;
  if (!outputIsStdout && isSameFile(in, options.output)) {
    complain(outputName, "is the input file; writing it would destroy the input");
    if (!inputIsStdin) std::fclose(in);
    return kExitUsage;
  }
  std::FILE* out = outputIsStdout ? stdout : std::fopen(options.output.c_str(), "wb");
  if (out == nullptr) {
    complain(outputName, std::strerror(errno));
    if (!inputIsStdin) std::fclose(in);
    return kExitUsage;
  }

  ReplayOutcome outcome = replayCsv(in, out, directDriveStep, nullptr);

  if (!inputIsStdin) std::fclose(in);
  if (!outputIsStdout && std::fclose(out) != 0 && outcome.status == ReplayOutcome::Status::ok) {
    outcome.status = ReplayOutcome::Status::writeFailed;
    outcome.error = std::string("writing the output failed: ") + std::strerror(errno);
  }

  switch (outcome.status) {
    case ReplayOutcome::Status::ok:
      return kExitOk;
    case ReplayOutcome::Status::badInput:
    case ReplayOutcome::Status::readFailed:
      complain(inputName, outcome.error);
      return kExitUsage;
    case ReplayOutcome::Status::writeFailed:
      complain(outputName, outcome.error);
      return kExitFailed;
    case ReplayOutcome::Status::outOfMemory:
      complain(inputName, outcome.error);
      return kExitFailed;
  }
  return kExitFailed;
}

}  // namespace

Subcommand addReplayCommand(CLI::App& app) {
  auto options = std::make_shared<ReplayOptions>();
  CLI::App* replay = app.add_subcommand(
      "replay",
      "Run the rows of an input CSV through the controller, in order, from its zero state; "
      "write one output row per input row.");
  replay->add_option("IN", options->input,
                     "Input CSV: a header naming iabc1_a,iabc1_b,iabc1_c,theta1,omega1,"
                     "iabc2_a,iabc2_b,iabc2_c,theta2,omega2,udc,iqCommand,steerAngle in any "
                     "order, then one row per step. '-' or absent: standard input.");
  replay->add_option("-o,--output", options->output,
                     "Output CSV of vabcNorm1_a..c,vabcNorm2_a..c. '-' or absent: standard output.");
  return Subcommand{replay, [options] { return runReplay(*options); }};
}

}  // namespace corvalent2
