#include "sweep/sweep_checks.h"

#include <algorithm>
#include <cmath>

#include "text/display_text.h"

namespace substitute_host::sweep {

using plant::json_checks::formatNumber;

void refuse(const std::string& path, const std::string& reason) {
  throw plant::json_checks::Refusal("sweep: " + (path.empty() ? std::string() : path + ": ") +
                                    reason);
}

std::string describe(const Json& j) {
  if (j.is_number()) return displayText(j.dump(), 40);
  const std::string type = j.type_name();
  const bool vowel = type.find_first_of("aeiou") == 0;
  return (vowel ? "an " : "a ") + type;
}

void requireObject(const Json& j, const std::string& path) {
  if (!j.is_object()) refuse(path, "expected an object, got " + describe(j));
}

void refuseUnknownKeys(const Json& object, const std::string& path,
                       std::initializer_list<std::string_view> known) {
  for (const auto& item : object.items()) {
    if (std::find(known.begin(), known.end(), item.key()) == known.end())
      refuse(plant::json_checks::childPath(path, item.key()), "unknown key");
  }
}

const Json& requireKey(const Json& object, const std::string& path, std::string_view key) {
  const auto it = object.find(key);
  if (it == object.end()) refuse(plant::json_checks::childPath(path, key), "required key is missing");
  return *it;
}

double requireFiniteNumber(const Json& j, const std::string& path) {
  if (!j.is_number()) refuse(path, "expected a number, got " + describe(j));
  const double value = j.get<double>();
  if (!std::isfinite(value)) refuse(path, "expected a finite number, got " + formatNumber(value));
  return value;
}

std::uint64_t requireWholeNumber(const Json& j, const std::string& path, std::uint64_t lowest,
                                 std::uint64_t highest) {
  const std::string range = "from " + std::to_string(lowest) + " to " + std::to_string(highest);
  if (!j.is_number_integer()) refuse(path, "expected a whole number " + range + ", got " + describe(j));
  if (!j.is_number_unsigned() && j.get<std::int64_t>() < 0)
    refuse(path, "must be " + range + ", got " + describe(j));
  const std::uint64_t value = j.get<std::uint64_t>();
  if (value < lowest || value > highest) refuse(path, "must be " + range + ", got " + describe(j));
  return value;
}

}  // namespace substitute_host::sweep
