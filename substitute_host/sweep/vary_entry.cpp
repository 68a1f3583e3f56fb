#include "sweep/vary_entry.h"

#include <cmath>

#include "sweep/sweep_checks.h"

namespace substitute_host::sweep {

namespace {

using plant::json_checks::childPath;
using plant::json_checks::formatNumber;
using plant::json_checks::indexPath;

VaryEntry listEntry(const Json& list, const std::string& path) {
  if (list.empty()) refuse(path, "an empty list gives no values");
  if (list.size() > kMaxAxisValues)
    refuse(path, "more than " + std::to_string(kMaxAxisValues) + " values");
  VaryEntry entry;
  for (std::size_t i = 0; i < list.size(); ++i)
    entry.values.push_back(requireFiniteNumber(list[i], indexPath(path, i)));
  return entry;
}

VaryEntry rangeEntry(const Json& range, const std::string& path) {
  refuseUnknownKeys(range, path, {"from", "to", "count"});
  const double from = requireFiniteNumber(requireKey(range, path, "from"),
                                          childPath(path, "from"));
  const double to = requireFiniteNumber(requireKey(range, path, "to"),
                                        childPath(path, "to"));
  const std::uint64_t count = requireWholeNumber(
      requireKey(range, path, "count"), childPath(path, "count"), 1,
      kMaxAxisValues);
  if (count == 1 && from != to)
    refuse(childPath(path, "count"), "a count of 1 takes from and to equal, got " +
                                         formatNumber(from) + " and " + formatNumber(to));
  VaryEntry entry;
  for (std::uint64_t i = 0; i < count; ++i) {
    // The last value is `to` itself, not what the steps add up to.
    const double t = count == 1 ? 0.0 : static_cast<double>(i) / static_cast<double>(count - 1);
    entry.values.push_back(i + 1 == count ? to : from + (to - from) * t);
  }
  return entry;
}

// [first, second] of a draw, both finite.
void drawPair(const Json& pair, const std::string& path, const char* shape, VaryEntry& entry) {
  if (!pair.is_array() || pair.size() != 2)
    refuse(path, std::string("expected ") + shape + ", got " + describe(pair));
  entry.first = requireFiniteNumber(pair[0], indexPath(path, 0));
  entry.second = requireFiniteNumber(pair[1], indexPath(path, 1));
}

VaryEntry drawEntry(const Json& object, const std::string& path) {
  VaryEntry entry;
  if (object.contains("uniform")) {
    refuseUnknownKeys(object, path, {"uniform"});
    const std::string here = childPath(path, "uniform");
    drawPair(object["uniform"], here, "[low, high]", entry);
    entry.kind = VaryKind::uniform;
    if (entry.first > entry.second)
      refuse(here, "low " + formatNumber(entry.first) + " is above high " +
                       formatNumber(entry.second));
    // Every draw must be a finite number, and low + (high - low) * u needs the width.
    if (!std::isfinite(entry.second - entry.first))
      refuse(here, "the range is wider than a double holds");
  } else {
    refuseUnknownKeys(object, path, {"normal"});
    const std::string here = childPath(path, "normal");
    drawPair(object["normal"], here, "[mean, standard deviation]", entry);
    entry.kind = VaryKind::normal;
    if (entry.second < 0.0)
      refuse(indexPath(here, 1),
             "a standard deviation must not be negative, got " + formatNumber(entry.second));
    // A draw lies within 9 standard deviations of the mean (the most 53 random bits
    // give), and must stay a finite number there.
    if (!std::isfinite(std::abs(entry.first) + 9.0 * entry.second))
      refuse(here, "mean and standard deviation so large that a draw could overflow");
  }
  return entry;
}

}  // namespace

VaryEntry parseVaryEntry(const std::string& key, const Json& value, const std::string& path) {
  VaryEntry entry;
  if (value.is_array()) {
    entry = listEntry(value, path);
  } else if (value.is_object() && (value.contains("uniform") || value.contains("normal"))) {
    entry = drawEntry(value, path);
  } else if (value.is_object()) {
    entry = rangeEntry(value, path);
  } else {
    refuse(path, "expected a list of values, {\"from\", \"to\", \"count\"}, {\"uniform\": "
                 "[low, high]} or {\"normal\": [mean, sd]}, got " + describe(value));
  }
  entry.key = key;
  return entry;
}

}  // namespace substitute_host::sweep
