// The sweep file reader from arbitrary bytes: either a sweep whose every run has a
// scenario with finite values where its keys say, or one short refusal line that names
// where and why.
#include <cmath>
#include <cstdint>
#include <string>
#include <string_view>

#include "fuzz_support.h"
#include "plant/scenario.h"
#include "sweep/dotted_key.h"
#include "sweep/run_values.h"
#include "sweep/sweep_file.h"

namespace {

using namespace substitute_host::sweep;

// Reads the value a dotted key addresses back out of a run's scenario.
double valueAt(const Json& scenario, const std::string& key) {
  const Json* at = &scenario;
  std::size_t start = 0;
  while (true) {
    const std::size_t dot = key.find('.', start);
    const std::string part = key.substr(start, dot == std::string::npos ? dot : dot - start);
    at = at->is_array() ? &at->at(std::stoul(part)) : &at->at(part);
    if (dot == std::string::npos) break;
    start = dot + 1;
  }
  return at->get<double>();
}

void checkRun(const SweepDefinition& sweep, std::uint64_t index) {
  const std::vector<double> values = runValues(sweep, index);
  const Json scenario = runScenario(sweep, index);
  for (std::size_t k = 0; k < sweep.vary.size(); ++k) {
    fuzz::check(std::isfinite(values[k]), "a run value that is not finite: " + sweep.vary[k].key);
    fuzz::check(valueAt(scenario, sweep.vary[k].key) == values[k],
                "a run's scenario without its value at " + sweep.vary[k].key);
  }
}

void checkAccepted(const SweepDefinition& sweep) {
  fuzz::check(substitute_host::plant::parseScenario(sweep.scenario.dump()).ok(),
              "a sweep accepted with a scenario the scenario reader refuses");
  for (const VaryEntry& entry : sweep.vary)
    fuzz::check(dottedKeyProblem(sweep.scenario, entry.key).empty(), "a key accepted that addresses nothing: " + entry.key);
  const std::uint64_t runs = runCount(sweep);
  fuzz::check(runs >= 1, "a sweep of no runs");
  checkRun(sweep, 0);
  checkRun(sweep, runs - 1);
  checkRun(sweep, runs / 2);
}

bool namesWhere(const std::string& error) {
  const std::string rest = error.substr(std::string("sweep: ").size());
  for (const char* whole :
       {"not valid JSON: ", "byte ", "expected an object at the top level", "key '"}) {
    if (rest.rfind(whole, 0) == 0) return true;
  }
  const std::string unknown = ": unknown key";
  if (rest.size() > unknown.size() &&
      rest.compare(rest.size() - unknown.size(), unknown.size(), unknown) == 0)
    return true;
  const std::string key = rest.substr(0, rest.find_first_of(".[:"));
  for (const char* known : {"scenario", "vary", "samples", "seed"}) {
    if (key == known) return true;
  }
  return false;
}

void checkRefusal(const std::string& error) {
  fuzz::check(error.rfind("sweep: ", 0) == 0, "a refusal without its prefix: " + error);
  fuzz::check(namesWhere(error), "a refusal that names no key: " + error);
  fuzz::check(error.size() < 1024, "a refusal that floods the terminal");
  for (const char c : error) {
    fuzz::check(static_cast<unsigned char>(c) >= 0x20 && c != 0x7F,
                "a control byte printed raw in the refusal: " + error);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  // No scenario file is found there: a sweep that names one is refused for it.
  const SweepParse parsed = parseSweep(text, "/nonexistent-corvalent2-fuzz");
  if (parsed.ok()) {
    checkAccepted(parsed.sweep);
  } else {
    checkRefusal(parsed.error);
  }
  return 0;
}
