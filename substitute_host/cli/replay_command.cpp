#include "replay_command.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <memory>
#include <string>
#include <system_error>

#include "checked_output.h"
#include "loader/installed_block.h"
#include "loader/plugin_module.h"
#include "mat_input.h"
#include "mat_layout_output.h"
#include "mat_replay_output.h"
#include "module_option.h"
#include "replay/csv_replay.h"
#include "replay/direct_step.h"
#include "replay/row_sink_replay.h"
#include "same_file.h"
#include "table/output_file.h"
#include "target_replay/target_programs.h"
#include "target_replay/target_replay.h"

namespace substitute_host {
namespace {

struct ReplayOptions {
  std::string input = "-";
  std::string output = "-";
  std::string variable;
  std::string via = "slot";
  bool direct = false;
  std::string module;
  std::string target;       // empty: replay on this machine
  std::string targetBuild;  // empty: ../build-<target>/ beside this executable's folder
};

bool isStandardStream(const std::string& path) { return path == "-"; }

void complain(const std::string& what, const std::string& message) {
  std::fprintf(stderr, "corvalent2 replay: %s: %s\n", what.c_str(), message.c_str());
}

// The two ends of a replay and the names the messages give them.
struct ReplayStreams {
  std::FILE* in = nullptr;
  std::FILE* out = nullptr;
  bool inIsStdin = false;
  bool outIsStdout = false;
  std::string inName;
  std::string outName;
  OutputFile outFile;  // the output when it is a file

  void closeInput() {
    if (in != nullptr && !inIsStdin) std::fclose(in);
    in = nullptr;
  }
};

int openInput(const std::string& path, ReplayStreams& s) {
  s.inIsStdin = isStandardStream(path);
  s.inName = s.inIsStdin ? "standard input" : shownArgument(path);
  if (s.inIsStdin) useBinaryMode(stdin);
  s.in = s.inIsStdin ? stdin : std::fopen(path.c_str(), "rb");
  if (s.in != nullptr) return kExitOk;
  complain(s.inName, std::strerror(errno));
  return kExitUsage;
}

int openOutput(const std::string& path, ReplayStreams& s) {
  s.outIsStdout = isStandardStream(path);
  s.outName = s.outIsStdout ? "standard output" : shownArgument(path);
  const bool sameAsInput = s.outIsStdout ? isSameFile(s.in, stdout) : isSameFile(s.in, path);
  if (sameAsInput) {
    complain(s.outName, "is the input file; writing it would destroy the input");
    return kExitUsage;
  }
  if (s.outIsStdout) {
    useBinaryMode(stdout);
    s.out = stdout;
    return kExitOk;
  }
  if (!s.outFile.open(path)) {
    complain(s.outName, s.outFile.error());
    return kExitUsage;
  }
  s.out = s.outFile.stream();
  return kExitOk;
}

// An output file takes its name only once the whole replay is in it; a replay that
// failed leaves none. Standard output keeps the rows before the failure.
void finishOutput(ReplayOutcome& outcome, ReplayStreams& s) {
  if (s.outIsStdout) return;
  if (outcome.status != ReplayOutcome::Status::ok) {
    s.outFile.abandon();
  } else if (!s.outFile.commit()) {
    outcome.status = ReplayOutcome::Status::writeFailed;
    outcome.error = "writing the output failed: " + s.outFile.error();
  }
}

int exitStatus(const ReplayOutcome& outcome, const ReplayStreams& s) {
  switch (outcome.status) {
    case ReplayOutcome::Status::ok:
      return kExitOk;
    case ReplayOutcome::Status::badInput:
    case ReplayOutcome::Status::readFailed:
      complain(s.inName, outcome.error);
      return kExitUsage;
    case ReplayOutcome::Status::writeFailed:
      complain(s.outName, outcome.error);
      return kExitFailed;
    case ReplayOutcome::Status::targetMissing:
      complain("target", outcome.error);
      return kExitUsage;
    case ReplayOutcome::Status::targetFailed:
      complain("target", outcome.error);
      return kExitFailed;
    case ReplayOutcome::Status::outOfMemory:
      complain(s.inName, outcome.error);
      return kExitFailed;
  }
  return kExitFailed;
}

int reportOutcome(ReplayOutcome outcome, ReplayStreams& s) {
  s.closeInput();
  finishOutput(outcome, s);
  return exitStatus(outcome, s);
}

// A MAT output is kept only when the replay came through and the file was completed;
// otherwise it is dropped, so that no partial file appears under the output's name.
template <class MatOutput>
ReplayOutcome settleMatOutput(ReplayOutcome outcome, MatOutput& mat) {
  if (outcome.status != ReplayOutcome::Status::ok) {
    mat.abandon();
  } else if (!mat.commit()) {
    outcome.status = ReplayOutcome::Status::writeFailed;
    outcome.error = "writing the output failed: " + mat.error();
  }
  return outcome;
}

// A MAT output: the file is opened (or refused) before the first row, and takes its
// name only once the whole replay is in it.
int replayToMat(const std::string& path, ReplayStreams& s, BlockStepFn step, void* context) {
  s.outName = shownArgument(path);
  if (isSameFile(s.in, path)) {
    complain(s.outName, "is the input file; writing it would destroy the input");
    return kExitUsage;
  }
  MatReplayOutput mat;
  if (!mat.open(path)) {
    complain(s.outName, mat.error());
    return kExitUsage;
  }
  ReplayOutcome outcome = replayToSink(s.in, mat, step, context);
  s.closeInput();
  return exitStatus(settleMatOutput(outcome, mat), s);
}

// The target's prebuilt runner: in the folder given, or in build-<target>/ beside the
// folder of this executable (build/corvalent2 finds build-cortex-m7/runner.elf).
std::string runnerPath(const ReplayOptions& options, const TargetProgram& target) {
  const std::string folder = options.targetBuild.empty()
                                 ? executableDirectory() + "../build-" + std::string(target.name)
                                 : options.targetBuild;
  return folder + "/" + std::string(target.runnerFile);
}

// The runner as an absolute path: the emulator runs in a scratch folder of its own.
int findRunner(const ReplayOptions& options, std::string& runner) {
  const TargetProgram& target = *findTarget(options.target);
  runner = runnerPath(options, target);
  std::error_code ec;
  if (std::filesystem::is_regular_file(runner, ec)) {
    const std::filesystem::path absolute = std::filesystem::absolute(runner, ec);
    if (!ec) runner = absolute.string();
    return kExitOk;
  }
  complain("target", "no target program " + shownArgument(runner) +
                         ": build it with scripts/build-target " + std::string(target.name));
  return kExitUsage;
}

int openStreams(const ReplayOptions& options, ReplayStreams& streams) {
  int status = openInput(options.input, streams);
  if (status == kExitOk) status = openOutput(options.output, streams);
  if (status != kExitOk) streams.closeInput();
  return status;
}

int runOnTarget(const ReplayOptions& options) {
  if (isMatInput(options.input) || isMatOutputPath(options.output)) {
    complain("target", "a target replay reads and writes CSV only");
    return kExitUsage;
  }
  std::string runner;
  if (const int found = findRunner(options, runner); found != kExitOk) return found;
  ReplayStreams streams;
  if (const int status = openStreams(options, streams); status != kExitOk) return status;
  const TargetProgram& target = *findTarget(options.target);
  return reportOutcome(replayOnTarget(streams.in, streams.out, target, runner), streams);
}

// Replays a CSV, or a MAT file found by its content, into the opened output.
int replayInput(const ReplayOptions& options, ReplayStreams& streams, BlockStepFn step,
                void* context) {
  if (!isMatInput(options.input)) {
    if (!options.variable.empty()) {
      return reportOutcome(ReplayOutcome{ReplayOutcome::Status::badInput, 0,
                                         "--variable names a variable of a MAT file; this input "
                                         "is not one"},
                           streams);
    }
    return reportOutcome(replayCsv(streams.in, streams.out, step, context), streams);
  }
  std::string error;
  const std::unique_ptr<RowSource> rows =
      openMatRows(options.input, "", options.variable, true, error);
  if (rows == nullptr) {
    return reportOutcome(ReplayOutcome{ReplayOutcome::Status::badInput, 0, error}, streams);
  }
  return reportOutcome(replayRows(*rows, streams.out, step, context), streams);
}

// A MAT input replays into a MAT file of its own layout, laid out in full before the
// first row from the input's row count.
int replayMatToMat(const ReplayOptions& options, ReplayStreams& s, BlockStepFn step,
                   void* context) {
  if (const int opened = openInput(options.input, s); opened != kExitOk) return opened;
  s.outName = shownArgument(options.output);
  const bool sameFile = isSameFile(s.in, options.output);
  s.closeInput();  // the MAT reader opens the file by its name
  if (sameFile) {
    complain(s.outName, "is the input file; writing it would destroy the input");
    return kExitUsage;
  }
  std::string error;
  MatInputShape shape;
  const std::unique_ptr<RowSource> rows =
      openMatRows(options.input, "", options.variable, true, error, &shape);
  if (rows == nullptr) {
    complain(s.inName, error);
    return kExitUsage;
  }
  MatLayoutOutput mat;
  if (!mat.open(options.output, shape)) {
    complain(s.outName, mat.error());
    return kExitUsage;
  }
  const ReplayOutcome outcome = replayRowsToSink(*rows, mat, step, context);
  return exitStatus(settleMatOutput(outcome, mat), s);
}

// A MAT output: in the layout of a MAT input, or the six outputs as columns for a CSV.
int replayIntoMat(const ReplayOptions& options, ReplayStreams& streams, BlockStepFn step,
                  void* context) {
  if (isMatInput(options.input)) return replayMatToMat(options, streams, step, context);
  int status = openInput(options.input, streams);
  if (status == kExitOk) status = replayToMat(options.output, streams, step, context);
  streams.closeInput();
  return status;
}

int runReplay(const ReplayOptions& options) {
  if (!options.target.empty()) return runOnTarget(options);
  // The block runs in the loaded module, installed into a host record, unless --direct
  // asks for the controller linked into this tool. Each keeps its own state from zero.
  BlockStepFn step = directDriveStep;
  void* context = nullptr;
  InstalledBlock installed;
  if (!options.direct) {
    std::string error;
    if (!installed.open(modulePathOrDefault(options.module), error)) {
      complain("module", shownArgument(error));
      return kExitUsage;
    }
    step =
        options.via == "flag" ? InstalledBlock::stepThroughFlag : InstalledBlock::stepThroughSlot;
    context = &installed;
  }
  ReplayStreams streams;
  if (isMatOutputPath(options.output)) return replayIntoMat(options, streams, step, context);
  if (const int status = openStreams(options, streams); status != kExitOk) return status;
  return replayInput(options, streams, step, context);
}

// --target and --target-build, which needs it; answers the --target option.
CLI::Option* addTargetOptions(CLI::App& replay, ReplayOptions& options) {
  CLI::Option* target =
      replay
          .add_option("--target", options.target,
                      "Run the controller on a target processor under QEMU instead: its "
                      "prebuilt row runner (scripts/build-target NAME) steps the rows; the "
                      "output is the same file. Reads the whole input before it runs.")
          ->check(CLI::IsMember(targetNames()));
  replay
      .add_option("--target-build", options.targetBuild,
                  "The target's build folder (default: build-NAME beside the folder "
                  "of this executable).")
      ->check(nonEmptyPath())
      ->needs(target);
  return target;
}

}  // namespace

Subcommand addReplayCommand(CLI::App& app) {
  auto options = std::make_shared<ReplayOptions>();
  CLI::App* replay = app.add_subcommand(
      "replay",
      "Run the rows of an input CSV or MAT file through the block, in order, from its zero state; "
      "write one output row per input row. The block runs in the loaded plug-in module, "
      "installed into a host record, unless --direct is given.");
  replay
      ->add_option("IN", options->input,
                   "Input CSV: a header naming iabc1_a,iabc1_b,iabc1_c,theta1,omega1,"
                   "iabc2_a,iabc2_b,iabc2_c,theta2,omega2,udc,iqCommand,steerAngle in any "
                   "order, then one row per step; or a MAT file (level 5 or 7.3, known by its "
                   "content) holding them as one variable per signal, a structure with time, "
                   "or an N-by-13 matrix (N-by-14 with time first). '-' or absent: standard "
                   "input (CSV only).")
      ->check(nonEmptyPath());
  replay->add_option("--variable", options->variable,
                     "In a MAT input, the structure or matrix to read when several fit.");
  replay
      ->add_option("-o,--output", options->output,
                   "Output CSV of vabcNorm1_a..c,vabcNorm2_a..c. '-' or absent: standard output. "
                   "A name ending in .mat writes a MAT file: from a CSV input, a 7.3 file of "
                   "those six as N-by-1 singles and the input's time column, if it has one, as "
                   "doubles; from a MAT input, a level-5 file in the input's layout (one "
                   "variable per signal, a structure with time, or an N-by-6 matrix, N-by-7 "
                   "with time first).")
      ->check(nonEmptyPath());
  CLI::Option* via =
      replay
          ->add_option("--via", options->via,
                       "How each step reaches the module: 'slot' calls the installed output "
                       "method, 'flag' sends host flag 104 through the gateway.")
          ->check(CLI::IsMember({"slot", "flag"}))
          ->capture_default_str();
  CLI::Option* direct =
      replay->add_flag("--direct", options->direct,
                       "Run the controller linked into this tool instead of the loaded module.");
  CLI::Option* module = addModuleOption(*replay, options->module);
  direct->excludes(via)->excludes(module);
  CLI::Option* target = addTargetOptions(*replay, *options);
  target->excludes(via)->excludes(module)->excludes(direct);
  return Subcommand{replay, [options] { return runReplay(*options); }};
}

}  // namespace substitute_host
