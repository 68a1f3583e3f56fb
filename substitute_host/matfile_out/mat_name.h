#pragma once

#include <string>
#include <string_view>

namespace substitute_host::matfile_out {

// The longest variable name a MAT file holds.
inline constexpr std::size_t kMaxMatNameLength = 63;

// name as a MAT variable name: a letter first, then letters, digits and underscores, at
// most 63 characters. Any other byte becomes an underscore, a name that does not begin
// with a letter gets an "x" before it, and an empty name becomes "x". A name that is
// valid already is returned as it is, so the log's columns keep their names.
std::string validMatName(std::string_view name);

}  // namespace substitute_host::matfile_out
