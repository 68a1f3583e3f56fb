#include "sweep/run_values.h"

#include <limits>

#include "sweep/dotted_key.h"
#include "sweep/draws.h"

namespace substitute_host::sweep {

namespace {

constexpr std::uint64_t kAll = std::numeric_limits<std::uint64_t>::max();

std::uint64_t saturatingProduct(std::uint64_t a, std::uint64_t b) {
  if (a != 0 && b > kAll / a) return kAll;
  return a * b;
}

}  // namespace

std::uint64_t gridPointCount(const SweepSpec& spec) {
  std::uint64_t points = 1;
  for (const VaryEntry& entry : spec.vary) {
    if (isGridAxis(entry)) points = saturatingProduct(points, entry.values.size());
  }
  return points;
}

std::uint64_t runCount(const SweepSpec& spec) {
  return saturatingProduct(gridPointCount(spec), spec.samples);
}

std::vector<double> runValues(const SweepSpec& spec, std::uint64_t index) {
  std::vector<double> values(spec.vary.size());
  std::uint64_t point = index / spec.samples;
  for (std::size_t k = spec.vary.size(); k-- > 0;) {
    const VaryEntry& entry = spec.vary[k];
    if (!isGridAxis(entry)) continue;
    values[k] = entry.values[point % entry.values.size()];
    point /= entry.values.size();
  }
  for (std::size_t k = 0; k < spec.vary.size(); ++k) {
    const VaryEntry& entry = spec.vary[k];
    if (entry.kind == VaryKind::uniform)
      values[k] = drawUniform(spec.seed, index, k, entry.first, entry.second);
    if (entry.kind == VaryKind::normal)
      values[k] = drawNormal(spec.seed, index, k, entry.first, entry.second);
  }
  return values;
}

Json runScenario(const SweepSpec& spec, std::uint64_t index) {
  Json scenario = spec.scenario;
  const std::vector<double> values = runValues(spec, index);
  for (std::size_t k = 0; k < spec.vary.size(); ++k)
    applyDottedKey(scenario, spec.vary[k].key, values[k]);
  return scenario;
}

}  // namespace substitute_host::sweep
