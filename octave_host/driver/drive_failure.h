#pragma once

// Why a driver request failed: an Octave error identifier and its message. A plain
// record, so that it can outlive every object of the request and be raised last.

#include <cstdarg>
#include <cstdio>

namespace octave_host {

struct DriveFailure {
  bool failed = false;
  char id[96] = {};
  char message[1024] = {};
};

// Records the first failure only: later ones are consequences of it.
inline void fail(DriveFailure& failure, const char* id, const char* format, ...) {
  if (failure.failed) return;
  failure.failed = true;
  std::snprintf(failure.id, sizeof failure.id, "%s", id);
  va_list arguments;
  va_start(arguments, format);
  std::vsnprintf(failure.message, sizeof failure.message, format, arguments);
  va_end(arguments);
}

}  // namespace octave_host
