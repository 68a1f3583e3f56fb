#include "plant/scenario.h"

#include <cmath>
#include <cstdint>
#include <exception>
#include <vector>

#include "plant/json_checks.h"
#include "text/display_text.h"

namespace substitute_host::plant {

namespace {

using json_checks::childPath;
using json_checks::formatNumber;
using json_checks::indexPath;
using json_checks::refuse;
using json_checks::requireKey;
using json_checks::requireNumber;
using json = json_checks::Json;

// What a profile's values must satisfy, beyond being finite numbers.
enum class ValueRule { Any, Positive, SteerRange };

void checkValue(double value, ValueRule rule, const std::string& path) {
  if (rule == ValueRule::Positive && !(value > 0.0)) {
    refuse(path, "value must be above 0, got " + formatNumber(value));
  }
  if (rule == ValueRule::SteerRange && std::abs(value) > kMaxSteerAngle) {
    refuse(path, "value must lie between -" + formatNumber(kMaxSteerAngle) + " and " +
                     formatNumber(kMaxSteerAngle) + " rad, got " + formatNumber(value));
  }
}

Profile parseProfile(const json& j, const std::string& path, ValueRule rule) {
  if (!j.is_array()) {
    refuse(path, std::string("expected an array of [time, value] points, got ") + j.type_name());
  }
  if (j.empty()) refuse(path, "must list at least one [time, value] point");
  std::vector<Profile::Point> points;
  for (std::size_t i = 0; i < j.size(); ++i) {
    const std::string here = indexPath(path, i);
    const json& p = j[i];
    if (!p.is_array() || p.size() != 2) {
      refuse(here, std::string("expected a [time, value] pair, got ") +
                       (p.is_array() ? "an array of " + std::to_string(p.size())
                                     : std::string(p.type_name())));
    }
    const double time = requireNumber(p[0], indexPath(here, 0));
    const double value = requireNumber(p[1], indexPath(here, 1));
    if (time < 0.0) refuse(here, "time " + formatNumber(time) + " is negative");
    if (!points.empty() && !(time > points.back().time)) {
      refuse(here,
             "time " + formatNumber(time) + " is not after " + formatNumber(points.back().time));
    }
    checkValue(value, rule, here);
    points.push_back({time, value});
  }
  return Profile(std::move(points));
}

void parsePlant(const json& j, const std::string& path, PlantParams& plant) {
  json_checks::requireObject(j, path);
  for (const auto& item : j.items()) {
    const std::string here = childPath(path, item.key());
    const PlantParamInfo* info = nullptr;
    for (const auto& candidate : plantParamTable()) {
      if (candidate.name == item.key()) info = &candidate;
    }
    if (info == nullptr) refuse(here, "unknown key");
    const double value = requireNumber(item.value(), here);
    switch (info->range) {
      case ParamRange::Positive:
        if (!(value > 0.0)) refuse(here, "must be above 0, got " + formatNumber(value));
        break;
      case ParamRange::NonNegative:
        if (value < 0.0) refuse(here, "must not be negative, got " + formatNumber(value));
        break;
      case ParamRange::Fraction:
        if (!(value > 0.0 && value <= 1.0)) {
          refuse(here, "must be above 0 and at most 1, got " + formatNumber(value));
        }
        break;
    }
    plant.*(info->member) = value;
  }
}

void parseProfiles(const json& j, const std::string& path, Scenario& s) {
  json_checks::requireObject(j, path);
  json_checks::refuseUnknownKeys(j, path, {"iqCommand", "steerAngle", "udc"});
  s.iqCommand =
      parseProfile(requireKey(j, path, "iqCommand"), childPath(path, "iqCommand"), ValueRule::Any);
  s.steerAngle = parseProfile(requireKey(j, path, "steerAngle"), childPath(path, "steerAngle"),
                              ValueRule::SteerRange);
  // The controller divides by half the DC-link voltage.
  s.udc = parseProfile(requireKey(j, path, "udc"), childPath(path, "udc"), ValueRule::Positive);
}

int parseSubsteps(const json& j) {
  if (!j.is_number_integer()) {
    refuse("substeps",
           std::string("expected a whole number, got ") +
               (j.is_number() ? formatNumber(j.get<double>()) : std::string(j.type_name())));
  }
  // Read as the file spells it: a huge unsigned number must not wrap to a small one.
  const bool inRange =
      j.is_number_unsigned()
          ? j.get<std::uint64_t>() >= 1 && j.get<std::uint64_t>() <= std::uint64_t{kMaxSubsteps}
          : j.get<std::int64_t>() >= 1 && j.get<std::int64_t>() <= kMaxSubsteps;
  if (!inRange) {
    refuse("substeps",
           "must be from 1 to " + std::to_string(kMaxSubsteps) + ", got " + displayText(j.dump()));
  }
  return static_cast<int>(j.get<std::int64_t>());
}

double parseInitialSpeed(const json& j) {
  const double speed = requireNumber(j, "initialSpeed");
  if (!(std::abs(speed) <= kMaxInitialSpeed)) {
    refuse("initialSpeed", "must lie between -" + formatNumber(kMaxInitialSpeed) + " and " +
                               formatNumber(kMaxInitialSpeed) + " m/s, got " + formatNumber(speed));
  }
  return speed;
}

Scenario parseDocument(const json& doc) {
  if (!doc.is_object()) {
    refuse("", std::string("expected an object at the top level, got ") + doc.type_name());
  }
  json_checks::refuseUnknownKeys(
      doc, "", {"description", "duration", "substeps", "initialSpeed", "plant", "profiles"});
  Scenario s;
  if (const auto it = doc.find("description"); it != doc.end()) {
    if (!it->is_string()) {
      refuse("description", std::string("expected a string, got ") + it->type_name());
    }
    s.description = it->get<std::string>();
  }
  s.duration = requireNumber(requireKey(doc, "", "duration"), "duration");
  if (!(s.duration > 0.0 && s.duration <= kMaxDuration)) {
    refuse("duration", "must be above 0 and at most " + formatNumber(kMaxDuration) + " s, got " +
                           formatNumber(s.duration));
  }
  if (const auto it = doc.find("substeps"); it != doc.end()) s.substeps = parseSubsteps(*it);
  if (const auto it = doc.find("initialSpeed"); it != doc.end()) {
    s.initialSpeed = parseInitialSpeed(*it);
  }
  if (const auto it = doc.find("plant"); it != doc.end()) parsePlant(*it, "plant", s.plant);
  parseProfiles(requireKey(doc, "", "profiles"), "profiles", s);
  return s;
}

}  // namespace

ScenarioParse parseScenario(std::string_view jsonText) {
  ScenarioParse result;
  try {
    result.scenario = parseDocument(json_checks::parseStrict(jsonText));
  } catch (const json_checks::Refusal& e) {
    result.error = e.what();
  } catch (const std::exception& e) {
    result.error = std::string("scenario: ") + e.what();
  }
  return result;
}

}  // namespace substitute_host::plant
