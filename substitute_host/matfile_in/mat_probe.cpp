#include "matfile_in/mat_probe.h"

#include <sys/resource.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstring>

#include "process/child_end.h"

namespace substitute_host {
namespace {

// How the child ends when it comes through; any other end (a signal, a sanitizer's
// exit status) is a fault.
constexpr int kReadThrough = 0;
constexpr int kRefused = 3;

// The child's whole work: every row, read and dropped. It writes nothing, and leaves
// by _exit so that nothing the parent had buffered is written twice.
[[noreturn]] void readAllRows(const std::string& path, MatReadOptions options) {
  // A fault here is expected of a crafted file: it leaves no core file behind.
  const rlimit noCore{0, 0};
  ::setrlimit(RLIMIT_CORE, &noCore);
  // Nor does a handler inherited from the tool (a sanitizer's, a fuzzer's) report it as
  // the tool's own: the parent reports it.
  for (const int deadly : {SIGSEGV, SIGBUS, SIGFPE, SIGILL, SIGABRT}) std::signal(deadly, SIG_DFL);
  options.probeInChild = false;
  MatRowSource source;
  bool ok = source.open(path, {}, options);
  RowSource::Status status = RowSource::Status::row;
  while (ok && status == RowSource::Status::row) status = source.next();
  ok = ok && status == RowSource::Status::end;
  ::_exit(ok ? kReadThrough : kRefused);
}

}  // namespace

bool probeInChild(const std::string& path, const MatReadOptions& options, std::string& problem) {
  const pid_t child = ::fork();
  if (child < 0) {
    problem = std::string("the file cannot be checked: ") + std::strerror(errno);
    return false;
  }
  if (child == 0) readAllRows(path, options);
  const ChildEnd end = waitForChild(child);
  if (!end.waited) {
    problem = "the file cannot be checked: " + end.error;
    return false;
  }
  if (end.exitStatus == kReadThrough || end.exitStatus == kRefused) return true;
  problem = "the file is damaged: the HDF5 library failed reading it";
  if (end.signal != 0) problem += " (signal " + std::to_string(end.signal) + ")";
  return false;
}

}  // namespace substitute_host
