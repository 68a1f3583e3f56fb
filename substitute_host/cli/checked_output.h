#pragma once

#include <CLI/CLI.hpp>
#include <string>

namespace substitute_host {

// Flushes standard output and says whether everything written to it arrived. When not,
// prints why on standard error as "corvalent2 <command>: ..."; the command then ends
// with a failure status, never with success.
bool standardOutputWritten(const char* command);

// A closed standard stream would hand its number to the next file opened, and what is
// meant for standard output would land in that file. Each closed one is held by the
// null device, opened so that using it fails (standard input for writing only, the
// outputs for reading only): the failure is then reported as any other.
void holdClosedStandardStreams();

// Refuses an empty path on the command line: '' must not quietly mean a standard stream
// or the default folder.
CLI::Validator nonEmptyPath();

// A path or a message part given by the user, fit to print (see displayText).
std::string shownArgument(const std::string& text);

}  // namespace substitute_host
