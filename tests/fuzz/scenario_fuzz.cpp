// The scenario reader from arbitrary bytes: either a scenario that keeps every promise
// the simulation relies on, or one short refusal line that names where and why.
#include <cmath>
#include <cstdint>
#include <string>
#include <string_view>

#include "fuzz_support.h"
#include "plant/scenario.h"

namespace {

using namespace substitute_host::plant;

void checkProfile(const Profile& profile, double lowest, double highest, const char* name) {
  const auto& points = profile.points();
  fuzz::check(!points.empty(), std::string(name) + ": an empty profile was accepted");
  for (std::size_t i = 0; i < points.size(); ++i) {
    fuzz::check(std::isfinite(points[i].time) && points[i].time >= 0.0,
                std::string(name) + ": a time that is negative or not finite");
    fuzz::check(i == 0 || points[i].time > points[i - 1].time,
                std::string(name) + ": times that do not increase");
    fuzz::check(
        std::isfinite(points[i].value) && points[i].value >= lowest && points[i].value <= highest,
        std::string(name) + ": a value out of its range");
  }
}

void checkAccepted(const Scenario& s) {
  fuzz::check(s.duration > 0.0 && s.duration <= 3600.0, "duration out of range");
  fuzz::check(s.substeps >= 1 && s.substeps <= 64, "substeps out of range");
  fuzz::check(std::isfinite(s.initialSpeed) && std::abs(s.initialSpeed) <= 1000.0,
              "initial speed out of range");
  checkProfile(s.iqCommand, -HUGE_VAL, HUGE_VAL, "iqCommand");
  checkProfile(s.steerAngle, -1.0, 1.0, "steerAngle");
  checkProfile(s.udc, 0.0, HUGE_VAL, "udc");
  for (const auto& point : s.udc.points()) fuzz::check(point.value > 0.0, "udc of 0 accepted");
}

// A refusal concerns the whole text (not JSON, a NUL, not an object, a repeated key) or
// names the key at fault: an unknown one, or one under a key the scenario has.
bool namesWhere(const std::string& error) {
  const std::string rest = error.substr(std::string("scenario: ").size());
  for (const char* whole :
       {"not valid JSON: ", "byte ", "expected an object at the top level", "key '"}) {
    if (rest.rfind(whole, 0) == 0) return true;
  }
  const std::string unknown = ": unknown key";
  if (rest.size() > unknown.size() &&
      rest.compare(rest.size() - unknown.size(), unknown.size(), unknown) == 0)
    return true;
  const std::string key = rest.substr(0, rest.find_first_of(".[:"));
  for (const char* known :
       {"description", "duration", "substeps", "initialSpeed", "plant", "profiles"}) {
    if (key == known) return true;
  }
  return false;
}

void checkRefusal(const std::string& error) {
  fuzz::check(error.rfind("scenario: ", 0) == 0, "a refusal without its prefix: " + error);
  fuzz::check(namesWhere(error), "a refusal that names no key: " + error);
  fuzz::check(error.size() > 10, "a refusal that gives no reason");
  fuzz::check(error.size() < 1024, "a refusal that floods the terminal");
  for (const char c : error) {
    fuzz::check(static_cast<unsigned char>(c) >= 0x20 && c != 0x7F,
                "a control byte printed raw in the refusal: " + error);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const ScenarioParse parsed = parseScenario(text);
  // Text in hand has been read: whatever it holds is judged as content.
  fuzz::check(!parsed.unreadable, "text refused as unreadable: " + parsed.error);
  if (parsed.ok()) {
    checkAccepted(parsed.scenario);
  } else {
    checkRefusal(parsed.error);
  }
  return 0;
}
