#include "plant/scenario.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace substitute_host::plant {
namespace {

const std::string kScenarioDir = CORVALENT2_SCENARIO_DIR;

// A valid document with one place left open for each case to fill in.
std::string withTop(const std::string& extra) {
  return R"({"duration": 1.0, )" + extra +
         R"("profiles": {"iqCommand": [[0, 10]], "steerAngle": [[0, 0]], "udc": [[0, 400]]}})";
}
std::string withProfiles(const std::string& iq, const std::string& steer, const std::string& udc) {
  return R"({"duration": 1.0, "profiles": {"iqCommand": )" + iq + R"(, "steerAngle": )" + steer +
         R"(, "udc": )" + udc + "}}";
}

std::string readFile(const std::string& path) {
  std::ifstream in(path);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

TEST(Scenario, ReadsOptionalFieldsAndKeepsTheDefaultsOtherwise) {
  const ScenarioParse minimal = parseScenario(withTop(""));
  ASSERT_TRUE(minimal.ok()) << minimal.error;
  EXPECT_EQ(minimal.scenario.substeps, kDefaultSubsteps);
  EXPECT_DOUBLE_EQ(minimal.scenario.initialSpeed, 0.0);
  EXPECT_DOUBLE_EQ(minimal.scenario.udc.at(0.5), 400.0);

  const ScenarioParse full = parseScenario(withTop(
      R"("description": "d", "substeps": 4, "initialSpeed": 7.5, "plant": {"dragArea": 0}, )"));
  ASSERT_TRUE(full.ok()) << full.error;
  EXPECT_EQ(full.scenario.description, "d");
  EXPECT_EQ(full.scenario.substeps, 4);
  EXPECT_DOUBLE_EQ(full.scenario.initialSpeed, 7.5);
  EXPECT_DOUBLE_EQ(full.scenario.plant.dragArea, 0.0);
  EXPECT_DOUBLE_EQ(full.scenario.plant.wheelRadius, PlantParams{}.wheelRadius);
}

TEST(Scenario, EveryPlantParameterCanBeOverridden) {
  for (const auto& info : plantParamTable()) {
    SCOPED_TRACE(std::string(info.name));
    const ScenarioParse r =
        parseScenario(withTop(R"("plant": {")" + std::string(info.name) + R"(": 0.5}, )"));
    ASSERT_TRUE(r.ok()) << r.error;
    EXPECT_DOUBLE_EQ(r.scenario.plant.*(info.member), 0.5);
  }
}

struct Refusal {
  std::string document;
  std::string message;
};

TEST(Scenario, RefusesBadDocumentsNamingTheKeyAndTheReason) {
  const std::vector<Refusal> cases = {
      {"[1, 2]", "scenario: expected an object at the top level, got array"},
      {R"({"profiles": {}})", "scenario: duration: required key is missing"},
      {R"({"duration": 1})", "scenario: profiles: required key is missing"},
      {withTop(R"("durration": 2, )"), "scenario: durration: unknown key"},
      {withTop(R"("plant": {"mass": 1}, )"), "scenario: plant.mass: unknown key"},
      {withTop(R"("plant": {"wheelRadius": 0}, )"),
       "scenario: plant.wheelRadius: must be above 0, got 0"},
      {withTop(R"("plant": {"dragArea": -0.5}, )"),
       "scenario: plant.dragArea: must not be negative, got -0.5"},
      {withTop(R"("plant": {"rearLoadShare": 1.5}, )"),
       "scenario: plant.rearLoadShare: must be above 0 and at most 1, got 1.5"},
      {withTop(R"("plant": {"gearRatio": "8"}, )"),
       "scenario: plant.gearRatio: expected a number, got string"},
      {R"({"duration": "1", "profiles": {}})", "scenario: duration: expected a number, got string"},
      {R"({"duration": 0, "profiles": {}})",
       "scenario: duration: must be above 0 and at most 3600 s, got 0"},
      {withTop(R"("substeps": 2.5, )"), "scenario: substeps: expected a whole number, got 2.5"},
      {withTop(R"("substeps": 0, )"), "scenario: substeps: must be from 1 to 64, got 0"},
      {R"({"duration": 1, "profiles": {"iqCommand": [[0, 1]], "udc": [[0, 400]]}})",
       "scenario: profiles.steerAngle: required key is missing"},
      {withProfiles("[]", "[[0, 0]]", "[[0, 400]]"),
       "scenario: profiles.iqCommand: must list at least one [time, value] point"},
      {withProfiles("5", "[[0, 0]]", "[[0, 400]]"),
       "scenario: profiles.iqCommand: expected an array of [time, value] points, got number"},
      {withProfiles("[[0, 1, 2]]", "[[0, 0]]", "[[0, 400]]"),
       "scenario: profiles.iqCommand[0]: expected a [time, value] pair, got an array of 3"},
      {withProfiles("[[0, \"x\"]]", "[[0, 0]]", "[[0, 400]]"),
       "scenario: profiles.iqCommand[0][1]: expected a number, got string"},
      {withProfiles("[[-1, 0]]", "[[0, 0]]", "[[0, 400]]"),
       "scenario: profiles.iqCommand[0]: time -1 is negative"},
      {withProfiles("[[0, 0]]", "[[0, 0]]", "[[0, 400], [0.5, 400], [0.5, 300]]"),
       "scenario: profiles.udc[2]: time 0.5 is not after 0.5"},
      {withProfiles("[[0, 0]]", "[[0, 0]]", "[[0, 400], [1, 0]]"),
       "scenario: profiles.udc[1]: value must be above 0, got 0"},
      {withProfiles("[[0, 0]]", "[[0, 0], [1, -1.2]]", "[[0, 400]]"),
       "scenario: profiles.steerAngle[1]: value must lie between -1 and 1 rad, got -1.2"},
      {R"({"duration": 1, "duration": 2, "profiles": {}})",
       "scenario: key 'duration' appears twice in one object"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.document);
    const ScenarioParse r = parseScenario(c.document);
    EXPECT_FALSE(r.ok());
    EXPECT_EQ(r.error, c.message);
  }
}

// Of several offending keys the message names the first the user wrote, in either
// order, whatever their alphabetical order.
TEST(Scenario, OfSeveralOffendingKeysTheFirstInTheFileIsNamed) {
  const auto errorOf = [](const std::string& text) { return parseScenario(text).error; };
  EXPECT_EQ(errorOf(withTop(R"("plant": {"track": -1, "dragArea": -2}, )")),
            "scenario: plant.track: must be above 0, got -1");
  EXPECT_EQ(errorOf(withTop(R"("plant": {"dragArea": -2, "track": -1}, )")),
            "scenario: plant.dragArea: must not be negative, got -2");
  EXPECT_EQ(errorOf(withTop(R"("zeta": 1, "alpha": 2, )")), "scenario: zeta: unknown key");
  EXPECT_EQ(errorOf(withTop(R"("alpha": 2, "zeta": 1, )")), "scenario: alpha: unknown key");
}

TEST(Scenario, RefusesWhatAParserWouldMisreadNamingTheKey) {
  const std::vector<Refusal> cases = {
      // The parser would stop at the NUL and take the text before it.
      {std::string(withTop("")) + std::string(1, '\0') + "{\"duration\": 9}",
       "scenario: byte 99 is a NUL: the file is not JSON text (UTF-16 or binary?)"},
      {withTop(R"("substeps": 18446744073709551615, )"),
       "scenario: substeps: must be from 1 to 64, got 18446744073709551615"},
      {withTop(R"("substeps": -9223372036854775808, )"),
       "scenario: substeps: must be from 1 to 64, got -9223372036854775808"},
      {withTop(R"("substeps": 65, )"), "scenario: substeps: must be from 1 to 64, got 65"},
      {withTop(R"("initialSpeed": 1e308, )"),
       "scenario: initialSpeed: must lie between -1000 and 1000 m/s, got 1e+308"},
      {withTop(R"("plant": {"mass\u001b[2J": 1}, )"), "scenario: plant.mass\\x1B[2J: unknown key"},
      {withTop(R"("": 1, )"), "scenario: '': unknown key"},
      {withTop(R"("plant": {"": 1}, )"), "scenario: plant.'': unknown key"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.document);
    const ScenarioParse r = parseScenario(c.document);
    EXPECT_FALSE(r.ok());
    EXPECT_EQ(r.error, c.message);
  }
  const ScenarioParse edge = parseScenario(withTop(R"("substeps": 64, "initialSpeed": -1000, )"));
  ASSERT_TRUE(edge.ok()) << edge.error;
  EXPECT_EQ(edge.scenario.substeps, 64);
}

TEST(Scenario, HugeTokensAreCutInTheMessageWithTheirLength) {
  const std::string key(5'000'000, 'k');
  ScenarioParse r = parseScenario(withTop("\"" + key + "\": 1, "));
  ASSERT_FALSE(r.ok());
  EXPECT_EQ(r.error,
            "scenario: " + std::string(60, 'k') + "... (5000000 bytes in all): unknown key");

  // A string the parser gives up on inside, a control byte in it, comes back in the
  // parser's own message: cut there too.
  const std::string runaway = "\"" + std::string(5'000'000, 's') + "\x01\"";
  r = parseScenario(R"({"description": )" + runaway + "}");
  ASSERT_FALSE(r.ok());
  EXPECT_LT(r.error.size(), 400u) << r.error.substr(0, 400);
  EXPECT_NE(r.error.find("bytes in all)"), std::string::npos) << r.error.substr(0, 400);
}

TEST(Scenario, RefusesMalformedJsonWithItsPosition) {
  const ScenarioParse r = parseScenario("{\n  \"duration\": 1,\n}");
  ASSERT_FALSE(r.ok());
  EXPECT_EQ(r.error.rfind("scenario: not valid JSON: parse error at line 3, column 1", 0), 0u)
      << r.error;
}

TEST(Scenario, MissingFileIsRefusedNamingThePath) {
  const ScenarioParse r = loadScenarioFile(kScenarioDir + "/no_such_scenario.json");
  ASSERT_FALSE(r.ok());
  EXPECT_NE(r.error.find("no_such_scenario.json"), std::string::npos) << r.error;
  EXPECT_NE(r.error.find("No such file"), std::string::npos) << r.error;
}

TEST(Scenario, AFileThatCannotBeReadIsToldFromOneRefusedForItsContent) {
  const ScenarioParse missing = loadScenarioFile(kScenarioDir + "/no_such_scenario.json");
  EXPECT_TRUE(missing.unreadable) << missing.error;
  const ScenarioParse folder = loadScenarioFile(kScenarioDir);
  EXPECT_FALSE(folder.ok());
  EXPECT_TRUE(folder.unreadable) << folder.error;
  EXPECT_NE(folder.error.find("it is a directory"), std::string::npos) << folder.error;

  // A file that reads but is no scenario: this very test's source.
  const ScenarioParse notJson = loadScenarioFile(__FILE__);
  EXPECT_FALSE(notJson.ok());
  EXPECT_FALSE(notJson.unreadable) << notJson.error;
  const ScenarioParse shipped = loadScenarioFile(kScenarioDir + "/default.json");
  EXPECT_TRUE(shipped.ok()) << shipped.error;
  EXPECT_FALSE(shipped.unreadable);
}

TEST(Scenario, ShippedScenariosAreAcceptedAndNamedAfterTheirFiles) {
  for (const char* name :
       {"default", "straight_field_weakening", "constant_radius_turn", "dc_link_sag"}) {
    SCOPED_TRACE(name);
    const ScenarioParse r = loadScenarioFile(kScenarioDir + "/" + name + ".json");
    ASSERT_TRUE(r.ok()) << r.error;
    EXPECT_EQ(r.scenario.name, name);
    EXPECT_GT(r.scenario.duration, 0.0);
  }
}

TEST(Scenario, BuiltInDefaultIsTheShippedDefaultFile) {
  EXPECT_EQ(defaultScenarioJson(), readFile(kScenarioDir + "/default.json"));
  const ScenarioParse r = defaultScenario();
  ASSERT_TRUE(r.ok()) << r.error;
  EXPECT_EQ(r.scenario.name, "default");
}

}  // namespace
}  // namespace substitute_host::plant
