#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

namespace substitute_host::matfile_out {

// UTF-8 text as the UTF-16 code units a MAT file's char array holds. A byte that does
// not begin or continue a valid sequence becomes U+FFFD, so any text can be stored.
std::vector<std::uint16_t> utf16Units(std::string_view utf8);

}  // namespace substitute_host::matfile_out
