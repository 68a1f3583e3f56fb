#include "sweep/plan.h"

#include <cstdint>
#include <exception>
#include <fstream>
#include <iterator>

#include "sweep/csv_text.h"
#include "sweep/run_values.h"
#include "sweep/sweep_checks.h"
#include "sweep/sweep_file.h"
#include "text/display_text.h"

namespace substitute_host::sweep {

namespace {

namespace fs = std::filesystem;

// An entry as a sweep file would write it, the range resolved into its list.
Json varyJson(const VaryEntry& entry) {
  switch (entry.kind) {
    case VaryKind::list:
      return Json(entry.values);
    case VaryKind::uniform:
      return Json{{"uniform", {entry.first, entry.second}}};
    case VaryKind::normal:
      return Json{{"normal", {entry.first, entry.second}}};
  }
  return Json();
}

Plan planFromDocument(const Json& doc, const fs::path& folder) {
  requireObject(doc, "");
  refuseUnknownKeys(doc, "", {"sweep", "runs", "chunk", "throttle"});
  Plan plan;
  plan.sweep = sweepFromDocument(requireKey(doc, "", "sweep"), folder);
  plan.runs = requireWholeNumber(requireKey(doc, "", "runs"), "runs", 1, UINT64_MAX);
  plan.chunk = requireWholeNumber(requireKey(doc, "", "chunk"), "chunk", 1, UINT64_MAX);
  plan.throttle = requireWholeNumber(requireKey(doc, "", "throttle"), "throttle", 1, UINT64_MAX);
  if (plan.runs != runCount(plan.sweep))
    refuse("runs", "the sweep has " + std::to_string(runCount(plan.sweep)) + " runs, not " +
                       std::to_string(plan.runs));
  return plan;
}

}  // namespace

std::string planJsonText(const Plan& plan) {
  Json vary = Json::object();
  for (const VaryEntry& entry : plan.sweep.vary) vary[entry.key] = varyJson(entry);
  Json sweep = Json::object();
  sweep["scenario"] = plan.sweep.scenario;
  sweep["vary"] = vary;
  sweep["samples"] = plan.sweep.samples;
  sweep["seed"] = plan.sweep.seed;
  Json doc = Json::object();
  doc["sweep"] = sweep;
  doc["runs"] = plan.runs;
  doc["chunk"] = plan.chunk;
  doc["throttle"] = plan.throttle;
  return doc.dump(2) + '\n';
}

PlanRead readPlan(const fs::path& folder) {
  PlanRead read;
  const fs::path path = folder / kPlanFile;
  std::string text;
  try {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
      read.error = "sweep: no plan in '" + displayText(folder.string(), 200) +
                   "' (run `corvalent2 sweep plan` first): cannot read " + kPlanFile;
      return read;
    }
    text.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    read.plan = planFromDocument(plant::json_checks::parseStrict(text), folder);
  } catch (const plant::json_checks::Refusal& e) {
    read.error = std::string("sweep: ") + kPlanFile + ": " + e.what();
  } catch (const std::exception& e) {
    read.error = std::string("sweep: ") + kPlanFile + ": " + e.what();
  }
  return read;
}

std::string manifestCsvText(const Plan& plan) {
  std::string text = "index";
  for (const VaryEntry& entry : plan.sweep.vary) text += ',' + csvField(entry.key);
  text += '\n';
  for (std::uint64_t i = 0; i < plan.runs; ++i) {
    text += std::to_string(i);
    for (const double value : runValues(plan.sweep, i)) text += ',' + csvNumber(value);
    text += '\n';
  }
  return text;
}

}  // namespace substitute_host::sweep
