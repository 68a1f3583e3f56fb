#pragma once

#include <cstdint>
#include <cstdio>
#include <string>

namespace substitute_host {

// Inflates a compressed level-5 element (`length` bytes from byte `at` of `file`) into
// a temporary file, at most `limit` bytes of it, so that its content can be checked
// before the MAT library reads it. Null, with the fault in `problem`, when the data do
// not inflate. Beyond the limit, `beyondLimit` is set and the file holds the first
// `limit` bytes, enough to name the variable. The caller closes the file returned.
std::FILE* inflateElement(std::FILE* file, std::uint64_t at, std::uint64_t length,
                          std::uint64_t limit, bool& beyondLimit, std::string& problem);

}  // namespace substitute_host
