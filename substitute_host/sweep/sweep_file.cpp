#include "sweep/sweep_file.h"

#include <cerrno>
#include <cstring>
#include <exception>
#include <fstream>
#include <iterator>
#include <limits>

#include "plant/scenario.h"
#include "sweep/dotted_key.h"
#include "sweep/sweep_checks.h"
#include "sweep/vary_entry.h"
#include "text/display_text.h"

namespace substitute_host::sweep {

namespace {

namespace fs = std::filesystem;
using plant::json_checks::childPath;

// At most kMaxScenarioBytes + 1 bytes, enough to tell a file that is too large. Empty
// when read, else why not.
std::string readBounded(const fs::path& path, std::string& text) {
  std::error_code ec;
  if (fs::is_directory(path, ec)) return "it is a directory";
  errno = 0;
  std::ifstream in(path, std::ios::binary);
  if (!in) return std::strerror(errno);
  std::string chunk(1 << 16, '\0');
  while (text.size() <= plant::kMaxScenarioBytes && in) {
    in.read(chunk.data(), static_cast<std::streamsize>(chunk.size()));
    text.append(chunk.data(), static_cast<std::size_t>(in.gcount()));
  }
  if (in.bad()) return "reading failed";
  if (text.size() > plant::kMaxScenarioBytes) return "larger than 32 MiB";
  return {};
}

// The scenario's text parsed, once the scenario parser accepted it.
Json acceptedScenario(const std::string& text, const std::string& where) {
  const plant::ScenarioParse parsed = plant::parseScenario(text);
  if (!parsed.ok()) refuse("scenario", where + "refused: " + parsed.error);
  return plant::json_checks::parseStrict(text);
}

Json baseScenario(const Json& entry, const fs::path& folder) {
  if (entry.is_object()) return acceptedScenario(entry.dump(), "");
  if (!entry.is_string())
    refuse("scenario", "expected the path of a scenario file or an inline scenario, got " +
                           describe(entry));
  const fs::path path = folder / fs::path(entry.get<std::string>());
  const std::string shown = "'" + displayText(path.string(), 200) + "' ";
  std::string text;
  const std::string problem = readBounded(path, text);
  if (!problem.empty()) refuse("scenario", "cannot read " + shown + ": " + problem);
  return acceptedScenario(text, shown);
}

std::vector<VaryEntry> varyEntries(const Json& vary, const Json& scenario) {
  requireObject(vary, "vary");
  std::vector<VaryEntry> entries;
  for (const auto& item : vary.items()) {
    const std::string here = childPath("vary", item.key());
    const std::string problem = dottedKeyProblem(scenario, item.key());
    if (!problem.empty()) refuse(here, problem);
    entries.push_back(parseVaryEntry(item.key(), item.value(), here));
  }
  return entries;
}

}  // namespace

SweepDefinition sweepFromDocument(const Json& doc, const fs::path& folder) {
  if (!doc.is_object()) refuse("", "expected an object at the top level, got " + describe(doc));
  refuseUnknownKeys(doc, "", {"scenario", "vary", "samples", "seed"});
  SweepDefinition sweep;
  sweep.scenario = baseScenario(requireKey(doc, "", "scenario"), folder);
  if (const auto it = doc.find("vary"); it != doc.end()) sweep.vary = varyEntries(*it, sweep.scenario);
  if (const auto it = doc.find("samples"); it != doc.end())
    sweep.samples = requireWholeNumber(*it, "samples", 1, kMaxAxisValues);
  if (const auto it = doc.find("seed"); it != doc.end())
    sweep.seed = requireWholeNumber(*it, "seed", 0, std::numeric_limits<std::uint64_t>::max());
  return sweep;
}

SweepParse parseSweep(std::string_view jsonText, const fs::path& folder) {
  SweepParse result;
  try {
    result.sweep = sweepFromDocument(plant::json_checks::parseStrict(jsonText), folder);
  } catch (const plant::json_checks::Refusal& e) {
    // The JSON reader's own refusals speak of a scenario; here the text is a sweep.
    std::string what = e.what();
    const std::string scenarioPrefix = "scenario: ";
    if (what.rfind(scenarioPrefix, 0) == 0) what = "sweep: " + what.substr(scenarioPrefix.size());
    result.error = what;
  } catch (const std::exception& e) {
    result.error = std::string("sweep: ") + e.what();
  }
  return result;
}

SweepParse loadSweepFile(const std::string& path) {
  std::string text;
  const std::string problem = readBounded(path, text);
  if (!problem.empty()) {
    SweepParse failed;
    failed.error = "sweep: cannot read '" + displayText(path, 200) + "': " + problem;
    failed.unreadable = true;
    return failed;
  }
  return parseSweep(text, fs::path(path).parent_path());
}

}  // namespace substitute_host::sweep
