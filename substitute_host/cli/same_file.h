#pragma once

#include <cstdio>
#include <string>

namespace substitute_host {

// Whether path names the file already open as opened (by any spelling: links, case on
// Windows, relative parts). Writing an output named like an input would truncate the
// input before it was read.
bool isSameFile(std::FILE* opened, const std::string& path);

// Sets a standard stream to pass bytes unchanged: on Windows they start in text mode,
// which turns "\n" into "\r\n" and ends input at a ^Z byte. Nothing to do elsewhere.
void useBinaryMode(std::FILE* stream);

}  // namespace substitute_host
