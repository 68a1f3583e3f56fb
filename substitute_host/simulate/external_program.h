#pragma once

#include <string>

namespace substitute_host::simulate {

// The full path of an executable found on PATH, or empty.
std::string findOnPath(const std::string& program);

// Runs `program argument` with `directory` as its working folder and waits for it.
// Empty when it ran and exited 0, else what went wrong.
std::string runInDirectory(const std::string& program, const std::string& argument,
                           const std::string& directory);

// Whether standard error is a terminal (where a progress bar can be drawn).
bool standardErrorIsTerminal();

}  // namespace substitute_host::simulate
