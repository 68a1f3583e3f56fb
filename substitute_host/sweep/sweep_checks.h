#pragma once

#include <cstdint>
#include <initializer_list>
#include <string_view>
#include <string>

#include "sweep/sweep_definition.h"

namespace substitute_host::sweep {

// Refusals of a sweep file, as a scenario's are refused: "sweep: <where>: <why>", where
// is the dotted path of the key at fault. Thrown inside the sweep parser only (the
// scenario parser's Refusal), which turns it into its message.
[[noreturn]] void refuse(const std::string& path, const std::string& reason);

void requireObject(const Json& j, const std::string& path);
void refuseUnknownKeys(const Json& object, const std::string& path,
                       std::initializer_list<std::string_view> known);
const Json& requireKey(const Json& object, const std::string& path, std::string_view key);

double requireFiniteNumber(const Json& j, const std::string& path);
// A whole number from `lowest` up to `highest`, read as the file spells it.
std::uint64_t requireWholeNumber(const Json& j, const std::string& path, std::uint64_t lowest,
                                 std::uint64_t highest);
// A JSON value's kind for a message: "a string", "an array", "2.5".
std::string describe(const Json& j);

}  // namespace substitute_host::sweep
