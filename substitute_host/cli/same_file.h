#pragma once

#include <cstdio>
#include <string>

namespace substitute_host {

// Whether path names the file already open as opened (by any spelling: links, case on
// Windows, relative parts). Writing an output named like an input would truncate the
// input before it was read.
bool isSameFile(std::FILE* opened, const std::string& path);

// Whether two open streams are the same regular file: standard output redirected onto
// the input (`replay IN >> IN`) would feed the output back in.
bool isSameFile(std::FILE* first, std::FILE* second);

// Sets a standard stream to pass bytes unchanged: on Windows they start in text mode,
// which turns "\n" into "\r\n" and ends input at a ^Z byte. Nothing to do elsewhere.
void useBinaryMode(std::FILE* stream);

}  // namespace substitute_host
