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

std::uint64_t gridPointCount(const SweepDefinition& sweep) {
  std::uint64_t points = 1;
  for (const VaryEntry& entry : sweep.vary) {
    if (isGridAxis(entry)) points = saturatingProduct(points, entry.values.size());
  }
  return points;
}

std::uint64_t runCount(const SweepDefinition& sweep) {
  return saturatingProduct(gridPointCount(sweep), sweep.samples);
}

std::vector<double> runValues(const SweepDefinition& sweep, std::uint64_t index) {
  std::vector<double> values(sweep.vary.size());
  std::uint64_t point = index / sweep.samples;
  for (std::size_t k = sweep.vary.size(); k-- > 0;) {
    const VaryEntry& entry = sweep.vary[k];
    if (!isGridAxis(entry)) continue;
    values[k] = entry.values[point % entry.values.size()];
    point /= entry.values.size();
  }
  for (std::size_t k = 0; k < sweep.vary.size(); ++k) {
    const VaryEntry& entry = sweep.vary[k];
    if (entry.kind == VaryKind::uniform)
      values[k] = drawUniform(sweep.seed, index, k, entry.first, entry.second);
    if (entry.kind == VaryKind::normal)
      values[k] = drawNormal(sweep.seed, index, k, entry.first, entry.second);
  }
  return values;
}

Json runScenario(const SweepDefinition& sweep, std::uint64_t index) {
  Json scenario = sweep.scenario;
  const std::vector<double> values = runValues(sweep, index);
  for (std::size_t k = 0; k < sweep.vary.size(); ++k)
    applyDottedKey(scenario, sweep.vary[k].key, values[k]);
  return scenario;
}

}  // namespace substitute_host::sweep
