#pragma once

#include <filesystem>
#include <string>

namespace substitute_host::simulate {

// A path of the command's output as its messages show it: escaped and cut (see
// displayText), so that a hostile name cannot move the cursor or flood the terminal.
std::string shownPath(const std::filesystem::path& path);

// Why a file operation failed: the error number's text, or that the stream failed
// when the operation left no error number.
std::string failureReason(int error);

}  // namespace substitute_host::simulate
