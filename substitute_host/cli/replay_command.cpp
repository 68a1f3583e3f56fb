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

#include "checked_output.h"
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

bool isStandardStream(const std::string& path) { return path == "-"; }

// Writing the output while reading the same file would destroy the input (opening it
// truncates) or feed the output back in (appending, as `>> IN` does).
#if defined(_WIN32)
// The C library's stat gives every file the inode 0 on Windows; a file is named by its
// volume serial number and file index instead.
bool fileIdentity(HANDLE handle, BY_HANDLE_FILE_INFORMATION& info) {
  return handle != INVALID_HANDLE_VALUE && GetFileType(handle) == FILE_TYPE_DISK &&
         GetFileInformationByHandle(handle, &info) != 0;
}

bool identityOf(std::FILE* opened, BY_HANDLE_FILE_INFORMATION& info) {
  return fileIdentity(reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(opened))), info);
}

bool sameIdentity(const BY_HANDLE_FILE_INFORMATION& a, const BY_HANDLE_FILE_INFORMATION& b) {
  return !(a.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) &&
         a.dwVolumeSerialNumber == b.dwVolumeSerialNumber && a.nFileIndexHigh == b.nFileIndexHigh &&
         a.nFileIndexLow == b.nFileIndexLow;
}

bool isSameFile(std::FILE* opened, const std::string& path) {
  BY_HANDLE_FILE_INFORMATION openedInfo{}, pathInfo{};
  if (!identityOf(opened, openedInfo)) return false;
  // Opened for no access at all: only its identity is read, whoever else has it open.
  HANDLE pathHandle =
      CreateFileA(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  const bool known = fileIdentity(pathHandle, pathInfo);
  if (pathHandle != INVALID_HANDLE_VALUE) CloseHandle(pathHandle);
  return known && sameIdentity(pathInfo, openedInfo);
}

bool isSameFile(std::FILE* first, std::FILE* second) {
  BY_HANDLE_FILE_INFORMATION firstInfo{}, secondInfo{};
  return identityOf(first, firstInfo) && identityOf(second, secondInfo) &&
         sameIdentity(firstInfo, secondInfo);
}

// The standard streams start in text mode on Windows, which would turn each "\n" of
// the output into "\r\n" and end the input at a ^Z byte; the CSV passes as bytes,
// as it does from and to files.
void useBinaryMode(std::FILE* stream) { _setmode(_fileno(stream), _O_BINARY); }
#else
bool sameRegularFile(const struct stat& a, const struct stat& b) {
  return S_ISREG(a.st_mode) && a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

bool isSameFile(std::FILE* opened, const std::string& path) {
  struct stat openedStat {
  }, pathStat{};
  return ::fstat(::fileno(opened), &openedStat) == 0 && ::stat(path.c_str(), &pathStat) == 0 &&
         sameRegularFile(pathStat, openedStat);
}

bool isSameFile(std::FILE* first, std::FILE* second) {
  struct stat firstStat {
  }, secondStat{};
  return ::fstat(::fileno(first), &firstStat) == 0 && ::fstat(::fileno(second), &secondStat) == 0 &&
         sameRegularFile(firstStat, secondStat);
}

void useBinaryMode(std::FILE*) {}
#endif

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
  if (s.outIsStdout) useBinaryMode(stdout);
  s.out = s.outIsStdout ? stdout : std::fopen(path.c_str(), "wb");
  if (s.out != nullptr) return kExitOk;
  complain(s.outName, std::strerror(errno));
  return kExitUsage;
}

int reportOutcome(ReplayOutcome outcome, ReplayStreams& s) {
  s.closeInput();
  if (!s.outIsStdout && std::fclose(s.out) != 0 && outcome.status == ReplayOutcome::Status::ok) {
    outcome.status = ReplayOutcome::Status::writeFailed;
    outcome.error = std::string("writing the output failed: ") + std::strerror(errno);
  }
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
    case ReplayOutcome::Status::outOfMemory:
      complain(s.inName, outcome.error);
      return kExitFailed;
  }
  return kExitFailed;
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
      complain("module", shownArgument(error));
      return kExitUsage;
    }
    step =
        options.via == "flag" ? InstalledBlock::stepThroughFlag : InstalledBlock::stepThroughSlot;
    context = &installed;
  }
  ReplayStreams streams;
  int status = openInput(options.input, streams);
  if (status == kExitOk) status = openOutput(options.output, streams);
  if (status != kExitOk) {
    streams.closeInput();
    return status;
  }
  return reportOutcome(replayCsv(streams.in, streams.out, step, context), streams);
}

}  // namespace

Subcommand addReplayCommand(CLI::App& app) {
  auto options = std::make_shared<ReplayOptions>();
  CLI::App* replay = app.add_subcommand(
      "replay",
      "Run the rows of an input CSV through the block, in order, from its zero state; "
      "write one output row per input row. The block runs in the loaded plug-in module, "
      "installed into a host record, unless --direct is given.");
  replay
      ->add_option("IN", options->input,
                   "Input CSV: a header naming iabc1_a,iabc1_b,iabc1_c,theta1,omega1,"
                   "iabc2_a,iabc2_b,iabc2_c,theta2,omega2,udc,iqCommand,steerAngle in any "
                   "order, then one row per step. '-' or absent: standard input.")
      ->check(nonEmptyPath());
  replay
      ->add_option("-o,--output", options->output,
                   "Output CSV of vabcNorm1_a..c,vabcNorm2_a..c. '-' or absent: standard output.")
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
  return Subcommand{replay, [options] { return runReplay(*options); }};
}

}  // namespace substitute_host
