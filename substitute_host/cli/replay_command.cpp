#include "replay_command.h"

#if defined(_WIN32)
#include <fcntl.h>
#include <io.h>
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#else
#include <sys/stat.h>
#endif

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>

#include "loader/installed_block.h"
#include "module_option.h"
#include "replay/csv_replay.h"
#include "replay/direct_step.h"

namespace substitute_host {
namespace {

struct ReplayOptions {
  std::string input = "-";
  std::string output = "-";
  std::string via = "slot";
  bool direct = false;
  std::string module;
};

bool isStandardStream(const std::string& path) { return path.empty() || path == "-"; }

// Opening the output truncates it, so naming the input file as output would destroy
// the input before a row was read.
#if defined(_WIN32)
// The C library's stat gives every file the inode 0 on Windows; a file is named by its
// volume serial number and file index instead.
bool fileIdentity(HANDLE handle, BY_HANDLE_FILE_INFORMATION& info) {
  return handle != INVALID_HANDLE_VALUE && GetFileType(handle) == FILE_TYPE_DISK &&
         GetFileInformationByHandle(handle, &info) != 0;
}

bool isSameFile(std::FILE* opened, const std::string& path) {
  BY_HANDLE_FILE_INFORMATION openedInfo{}, pathInfo{};
  if (!fileIdentity(reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(opened))), openedInfo))
    return false;
  // Opened for no access at all: only its identity is read, whoever else has it open.
  HANDLE pathHandle =
      CreateFileA(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  const bool known = fileIdentity(pathHandle, pathInfo);
  if (pathHandle != INVALID_HANDLE_VALUE) CloseHandle(pathHandle);
  return known && !(pathInfo.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) &&
         openedInfo.dwVolumeSerialNumber == pathInfo.dwVolumeSerialNumber &&
         openedInfo.nFileIndexHigh == pathInfo.nFileIndexHigh &&
         openedInfo.nFileIndexLow == pathInfo.nFileIndexLow;
}

// The standard streams start in text mode on Windows, which would turn each "\n" of
// the output into "\r\n" and end the input at a ^Z byte; the CSV passes as bytes,
// as it does from and to files.
void useBinaryMode(std::FILE* stream) { _setmode(_fileno(stream), _O_BINARY); }
#else
bool isSameFile(std::FILE* opened, const std::string& path) {
  struct stat openedStat {
  }, pathStat{};
  return ::fstat(::fileno(opened), &openedStat) == 0 && ::stat(path.c_str(), &pathStat) == 0 &&
         S_ISREG(pathStat.st_mode) && openedStat.st_dev == pathStat.st_dev &&
         openedStat.st_ino == pathStat.st_ino;
}

void useBinaryMode(std::FILE*) {}
#endif

void complain(const std::string& what, const std::string& message) {
  std::fprintf(stderr, "corvalent2 replay: %s: %s\n", what.c_str(), message.c_str());
}

int runReplay(const ReplayOptions& options) {
  // The block runs in the loaded module, installed into a host record, unless --direct
  // asks for the controller linked into this tool. Each keeps its own state from zero.
  BlockStepFn step = directDriveStep;
  void* context = nullptr;
  InstalledBlock installed;
  if (!options.direct) {
    std::string error;
    if (!installed.open(modulePathOrDefault(options.module), error)) {
      complain("module", error);
      return kExitUsage;
    }
    step =
        options.via == "flag" ? InstalledBlock::stepThroughFlag : InstalledBlock::stepThroughSlot;
    context = &installed;
  }

  const bool inputIsStdin = isStandardStream(options.input);
  const std::string inputName = inputIsStdin ? "standard input" : options.input;
  if (inputIsStdin) useBinaryMode(stdin);
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
  if (outputIsStdout) useBinaryMode(stdout);
  std::FILE* out = outputIsStdout ? stdout : std::fopen(options.output.c_str(), "wb");
  if (out == nullptr) {
    complain(outputName, std::strerror(errno));
    if (!inputIsStdin) std::fclose(in);
    return kExitUsage;
  }

  ReplayOutcome outcome = replayCsv(in, out, step, context);

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
      "Run the rows of an input CSV through the block, in order, from its zero state; "
      "write one output row per input row. The block runs in the loaded plug-in module, "
      "installed into a host record, unless --direct is given.");
  replay->add_option("IN", options->input,
                     "Input CSV: a header naming iabc1_a,iabc1_b,iabc1_c,theta1,omega1,"
                     "iabc2_a,iabc2_b,iabc2_c,theta2,omega2,udc,iqCommand,steerAngle in any "
                     "order, then one row per step. '-' or absent: standard input.");
  replay->add_option(
      "-o,--output", options->output,
      "Output CSV of vabcNorm1_a..c,vabcNorm2_a..c. '-' or absent: standard output.");
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
  return Subcommand{replay, [options] { return runReplay(*options); }};
}

}  // namespace substitute_host
