#pragma once

#include <initializer_list>
#include <nlohmann/json.hpp>
#include <stdexcept>
#include <string>
#include <string_view>

namespace substitute_host::plant::json_checks {

// A scenario's objects keep their keys in the file's order, so that of several
// offending keys the message names the first the user wrote, not the first in
// alphabetical order.
using Json = nlohmann::ordered_json;

// Thrown inside the scenario parser only; the parser turns it into its message.
struct Refusal : std::runtime_error {
  using std::runtime_error::runtime_error;
};

[[noreturn]] void refuse(const std::string& path, const std::string& reason);

// Shortest text that reads back as the same number, as the user would write it.
std::string formatNumber(double value);

// "plant" + "mass" -> "plant.mass"; "" + "duration" -> "duration".
std::string childPath(const std::string& parent, std::string_view key);
std::string indexPath(const std::string& parent, std::size_t index);

void requireObject(const Json& j, const std::string& path);
void refuseUnknownKeys(const Json& object, const std::string& path,
                       std::initializer_list<std::string_view> known);
const Json& requireKey(const Json& object, const std::string& path,
                                 std::string_view key);
double requireNumber(const Json& j, const std::string& path);

// Parses text, refusing malformed JSON and keys repeated within one object.
Json parseStrict(std::string_view text);

}  // namespace substitute_host::plant::json_checks
