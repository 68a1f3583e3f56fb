#include "sweep/dotted_key.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <string_view>
#include <vector>

#include "plant/plant_params.h"
#include "text/display_text.h"

namespace substitute_host::sweep {

namespace {

constexpr std::array<std::string_view, 3> kTopLevelNumbers = {"duration", "substeps",
                                                              "initialSpeed"};
constexpr std::array<std::string_view, 3> kProfiles = {"iqCommand", "steerAngle", "udc"};

std::vector<std::string> splitAtDots(const std::string& key) {
  std::vector<std::string> parts;
  std::size_t start = 0;
  for (std::size_t dot; (dot = key.find('.', start)) != std::string::npos; start = dot + 1)
    parts.push_back(key.substr(start, dot - start));
  parts.push_back(key.substr(start));
  return parts;
}

template <std::size_t N>
bool oneOf(const std::string& word, const std::array<std::string_view, N>& words) {
  return std::find(words.begin(), words.end(), word) != words.end();
}

bool isPlantValue(const std::string& name) {
  const auto table = plant::plantParamTable();
  return std::any_of(table.begin(), table.end(),
                     [&](const plant::PlantParamInfo& info) { return info.name == name; });
}

// A point's number as written: decimal digits only, so "01" or "+1" are not a point.
bool pointNumber(const std::string& text, std::size_t& number) {
  if (text.empty() || text.size() > 9 || (text.size() > 1 && text[0] == '0')) return false;
  if (!std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; }))
    return false;
  number = std::stoul(text);
  return true;
}

std::string profilePointProblem(const Json& scenario, const std::vector<std::string>& parts) {
  if (parts.size() != 4 || !oneOf(parts[1], kProfiles))
    return "a profile point is addressed as profiles.iqCommand|steerAngle|udc.POINT.0|1";
  std::size_t point = 0;
  if (!pointNumber(parts[2], point))
    return "'" + displayText(parts[2]) + "' is not a point number (0, 1, 2, ...)";
  if (parts[3] != "0" && parts[3] != "1")
    return "the last part must be 0 (the point's time) or 1 (its value), got '" +
           displayText(parts[3]) + "'";
  const Json& profile = scenario.at("profiles").at(parts[1]);
  if (point >= profile.size())
    return "the base scenario's " + parts[1] + " profile has " + std::to_string(profile.size()) +
           (profile.size() == 1 ? " point" : " points") + ", so no point " + parts[2];
  return {};
}

}  // namespace

std::string dottedKeyProblem(const Json& scenario, const std::string& key) {
  const std::vector<std::string> parts = splitAtDots(key);
  if (parts.size() == 1) {
    if (oneOf(parts[0], kTopLevelNumbers)) return {};
    return "unknown key: varied values are duration, substeps, initialSpeed, plant.NAME and "
           "profiles.PROFILE.POINT.0|1";
  }
  if (parts[0] == "plant") {
    if (parts.size() == 2 && isPlantValue(parts[1])) return {};
    return "unknown key: the plant has no value named '" +
           displayText(key.substr(std::string_view("plant.").size())) + "'";
  }
  if (parts[0] == "profiles") return profilePointProblem(scenario, parts);
  return "unknown key: varied values are duration, substeps, initialSpeed, plant.NAME and "
         "profiles.PROFILE.POINT.0|1";
}

void applyDottedKey(Json& scenario, const std::string& key, double value) {
  const std::vector<std::string> parts = splitAtDots(key);
  Json* target = &scenario;
  for (std::size_t i = 0; i < parts.size(); ++i) {
    if (target->is_array()) {
      target = &(*target)[std::stoul(parts[i])];
    } else {
      target = &(*target)[parts[i]];
    }
  }
  // Whole numbers well inside the exact range of a double keep their integer form; a
  // negative zero stays a double, so that its sign survives.
  const bool whole = std::trunc(value) == value && std::abs(value) < 0x1p53 &&
                     !(value == 0.0 && std::signbit(value));
  if (whole) {
    *target = static_cast<std::int64_t>(value);
  } else {
    *target = value;
  }
}

}  // namespace substitute_host::sweep
