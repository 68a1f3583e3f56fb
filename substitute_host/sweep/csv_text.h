#pragma once

#include <string>
#include <string_view>

namespace substitute_host::sweep {

// A number as the shortest text that reads back as the same double; NaN (a figure a run
// does not have) as an empty field.
std::string csvNumber(double value);

// A field as CSV writes it: quoted, with quotes doubled, when it holds a comma, a quote
// or a line break.
std::string csvField(std::string_view text);

}  // namespace substitute_host::sweep
