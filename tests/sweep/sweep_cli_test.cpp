// The sweep commands and simulate --summary-json, through the tool as a user runs them.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <nlohmann/json.hpp>
#include <string>

#include "../replay/scratch_directory_test.h"
#include "../replay/subprocess.h"
#include "sweep/child_run.h"

namespace {

namespace fs = std::filesystem;
using Json = nlohmann::json;

const std::string kSmallSweep = CORVALENT2_SWEEP_TEST_DATA "/small-sweep.json";

class SweepCli : public ScratchDirectoryTest {
 protected:
  std::string plan(const std::string& sweepFile, const std::string& name,
                   std::vector<std::string> extra = {"--chunk", "2"}) {
    std::vector<std::string> args = {"sweep", "plan", sweepFile, "-o", path(name)};
    args.insert(args.end(), extra.begin(), extra.end());
    const ProcessResult r = runCorvalent2(args);
    EXPECT_EQ(r.exitStatus, 0) << r.standardError;
    return path(name);
  }
  static void runTask(const std::string& dir, int task) {
    const ProcessResult r = runCorvalent2({"sweep", "run", dir, "--task", std::to_string(task)});
    EXPECT_EQ(r.exitStatus, 0) << r.standardError;
  }
  static Json part(const std::string& dir, int index) {
    char name[32];
    std::snprintf(name, sizeof name, "/parts/run-%06d.json", index);
    return Json::parse(readFile(dir + name));
  }
  // The figures of run `index`'s scenario run alone, by simulate itself.
  Json aloneFigures(const std::string& dir, int index) {
    const std::string scenario = path("alone-" + std::to_string(index) + ".json");
    const std::string figures = path("alone-" + std::to_string(index) + "-figures.json");
    EXPECT_EQ(runCorvalent2({"sweep", "scenario", dir, std::to_string(index), "-o", scenario})
                  .exitStatus, 0);
    const ProcessResult r = runCorvalent2(
        {"simulate", "--format", "none", "--summary-json", figures, scenario});
    EXPECT_EQ(r.exitStatus, 0) << r.standardError;
    return Json::parse(readFile(figures));
  }
};

TEST_F(SweepCli, ARunInASweepHasExactlyTheFiguresOfItsScenarioRunAlone) {
  const std::string dir = plan(kSmallSweep, "sweep");
  runTask(dir, 0);
  runTask(dir, 2);
  // Runs 1 and 5 are the last of their tasks: each starts a block of its own, so what
  // the runs before it left in the block's state does not reach it.
  for (const int index : {0, 1, 4, 5}) {
    const Json inSweep = part(dir, index);
    EXPECT_EQ(inSweep["status"], "ok");
    EXPECT_EQ(inSweep["figures"], aloneFigures(dir, index)) << "run " << index;
  }
}

TEST_F(SweepCli, AFailingRunRecordsItsErrorAndTheTasksOtherRunsComplete) {
  const std::string sweepFile = file("failing.json", R"({"scenario": {"duration": 0.05,
      "profiles": {"iqCommand": [[0, 20]], "steerAngle": [[0, 0]], "udc": [[0, 400]]}},
      "vary": {"profiles.udc.0.1": [-5, 400, 380]}})");
  const std::string dir = plan(sweepFile, "sweep", {"--chunk", "3"});
  runTask(dir, 0);
  const Json failed = part(dir, 0);
  EXPECT_NE(failed["status"].get<std::string>().find("profiles.udc[0]: value must be above 0, got -5"),
            std::string::npos) << failed.dump();
  EXPECT_TRUE(failed["figures"]["finalSpeed_m_s"].is_null());
  EXPECT_EQ(part(dir, 1)["status"], "ok");
  EXPECT_EQ(part(dir, 2)["status"], "ok");
  const ProcessResult gathered = runCorvalent2({"sweep", "gather", dir});
  EXPECT_EQ(gathered.exitStatus, 0) << gathered.standardError;
  EXPECT_NE(gathered.standardError.find("run 0 failed: scenario: profiles.udc[0]"), std::string::npos);
}

TEST_F(SweepCli, LocalGathersTheSameTableAsTasksRunOneByOne) {
  const std::string byTasks = plan(kSmallSweep, "tasks");
  for (int task = 0; task < 3; ++task) runTask(byTasks, task);
  ASSERT_EQ(runCorvalent2({"sweep", "gather", byTasks}).exitStatus, 0);
  const std::string local = plan(kSmallSweep, "local");
  const ProcessResult r = runCorvalent2({"sweep", "local", local, "-j", "2"});
  ASSERT_EQ(r.exitStatus, 0) << r.standardError;
  const std::string table = readFile(local + "/summary.csv");
  EXPECT_EQ(table, readFile(byTasks + "/summary.csv"));
  EXPECT_EQ(std::count(table.begin(), table.end(), '\n'), 7);  // header and six runs
}

TEST_F(SweepCli, GatherNamesTheTasksToRerunAndExits3WhileRunsAreMissing) {
  const std::string dir = plan(kSmallSweep, "sweep");
  runTask(dir, 1);
  const ProcessResult r = runCorvalent2({"sweep", "gather", dir});
  EXPECT_EQ(r.exitStatus, 3);
  EXPECT_NE(r.standardError.find("sbatch --array=0,2 " + dir + "/sweep.sbatch"), std::string::npos)
      << r.standardError;
  EXPECT_NE(r.standardError.find(" sweep run " + dir + " --task 2"), std::string::npos);
  EXPECT_FALSE(fs::exists(dir + "/summary.csv"));
  runTask(dir, 0);
  runTask(dir, 2);
  EXPECT_EQ(runCorvalent2({"sweep", "gather", dir}).exitStatus, 0);
}

TEST_F(SweepCli, PlanRefusesMoreRunsThanTheLimitUnlessAllowed) {
  const std::string sweepFile = CORVALENT2_SCENARIO_DIR "/sweep-example.json";  // 18 runs
  const ProcessResult refused =
      runCorvalent2({"sweep", "plan", sweepFile, "-o", path("a"), "--max-runs", "17"});
  EXPECT_EQ(refused.exitStatus, 2);
  EXPECT_NE(refused.standardError.find("18 runs, more than the limit of 17"), std::string::npos);
  EXPECT_FALSE(fs::exists(path("a/plan.json")));
  plan(sweepFile, "b", {"--max-runs", "17", "--allow-many"});
  const std::string manifest = readFile(path("b/manifest.csv"));
  EXPECT_EQ(manifest.substr(0, manifest.find('\n')),
            "index,initialSpeed,profiles.udc.0.1,plant.vehicleMass");
  EXPECT_EQ(std::count(manifest.begin(), manifest.end(), '\n'), 19);
  // A folder with a plan is not planned over: parts of two sweeps must not mix.
  EXPECT_EQ(runCorvalent2({"sweep", "plan", sweepFile, "-o", path("b")}).exitStatus, 2);
}

TEST_F(SweepCli, PlanWritesAThrottledJobArrayThatRunsAndGathers) {
  const std::string dir = plan(kSmallSweep, "sweep", {"--chunk", "4", "--throttle", "3"});
  const std::string script = readFile(dir + "/sweep.sbatch");
  EXPECT_NE(script.find("\n#SBATCH --array=0-1%3\n"), std::string::npos) << script;
  EXPECT_NE(script.find("\n#SBATCH --job-name=corvalent2-sweep\n"), std::string::npos);
  EXPECT_NE(script.find("\n#SBATCH --output=" + dir + "/logs/task-%a.out\n"), std::string::npos);
  EXPECT_NE(script.find(" sweep run '" + dir + "' --task \"$SLURM_ARRAY_TASK_ID\"\n"),
            std::string::npos);
  EXPECT_NE(script.find("--dependency=afterok:\"$SLURM_ARRAY_JOB_ID\" --kill-on-invalid-dep=yes"),
            std::string::npos);
  EXPECT_NE(script.find(" sweep gather '" + dir + "'\"\n"), std::string::npos);
}

TEST_F(SweepCli, AFolderAJobScriptCannotNameIsPlannedWithoutOne) {
  // '%' is a file name pattern to Slurm: no #SBATCH --output line can name this folder.
  const std::string dir = plan(kSmallSweep, "100%", {});
  EXPECT_TRUE(fs::exists(dir + "/plan.json"));
  EXPECT_FALSE(fs::exists(dir + "/sweep.sbatch"));
  const ProcessResult r = runCorvalent2({"sweep", "local", dir, "-j", "1"});
  EXPECT_EQ(r.exitStatus, 0) << r.standardError;
  // Its rerun commands quote it for a shell.
  fs::remove(dir + "/parts/run-000003.json");
  const ProcessResult missing = runCorvalent2({"sweep", "gather", dir});
  EXPECT_EQ(missing.exitStatus, 3);
  EXPECT_NE(missing.standardError.find(" sweep run '" + dir + "' --task 0\n"), std::string::npos)
      << missing.standardError;
}

// The job script as Slurm runs it, with a stand-in for sbatch on PATH that writes down
// the arguments of each submission, one a line.
class JobScript : public SweepCli {
 protected:
  void SetUp() override {
    SweepCli::SetUp();
    fs::create_directory(path("bin"));
    file("bin/sbatch", "#!/bin/sh\nfor a; do printf '%s\\n' \"$a\"; done >> \"$SBATCH_CALLS\"\n");
    fs::permissions(path("bin/sbatch"), fs::perms::owner_all);
    ::setenv("PATH", (path("bin") + ":" + std::getenv("PATH")).c_str(), 1);
    ::setenv("SBATCH_CALLS", path("calls").c_str(), 1);
    ::setenv("SLURM_ARRAY_JOB_ID", "42", 1);
  }
  int runTaskScript(const std::string& dir, int task, int lowestTask) {
    ::setenv("SLURM_ARRAY_TASK_ID", std::to_string(task).c_str(), 1);
    ::setenv("SLURM_ARRAY_TASK_MIN", std::to_string(lowestTask).c_str(), 1);
    return substitute_host::sweep::runChild({"/bin/bash", dir + "/sweep.sbatch"}, path("err"))
        .exitStatus;
  }
  // The gather job's command, as the last submission gave it to sbatch --wrap.
  int runGatherJob() {
    const std::string calls = readFile(path("calls"));
    const std::size_t wrap = calls.rfind("--wrap=");
    const std::string command = calls.substr(wrap + 7, calls.find('\n', wrap) - wrap - 7);
    return substitute_host::sweep::runChild({"/bin/sh", "-c", command}, path("err")).exitStatus;
  }
};

TEST_F(JobScript, EachTaskRunsItsRunsAndTheLowestSubmitsTheGatherAfterThem) {
  const std::string dir = plan(kSmallSweep, "sweep");  // tasks 0, 1, 2 of two runs each
  EXPECT_EQ(runTaskScript(dir, 1, 1), 0) << readFile(path("err"));
  EXPECT_EQ(runTaskScript(dir, 2, 1), 0) << readFile(path("err"));
  const std::string calls = readFile(path("calls"));
  EXPECT_EQ(calls.find("--dependency=afterok:42\n--kill-on-invalid-dep=yes\n"
                       "--job-name=corvalent2-gather\n--output=" + dir + "/logs/gather.out\n"
                       "--wrap="), 0u) << calls;
  EXPECT_EQ(calls.find("--dependency", 1), std::string::npos) << "only the lowest task submits";
  for (const int index : {2, 3, 4, 5}) EXPECT_EQ(part(dir, index)["status"], "ok");
  // Gathering after tasks 1 and 2 finds runs 0 and 1 missing; rerunning task 0 alone
  // (sbatch --array=0) submits the gather again, which completes the table.
  EXPECT_EQ(runGatherJob(), 3);
  EXPECT_EQ(runTaskScript(dir, 0, 0), 0) << readFile(path("err"));
  EXPECT_EQ(runGatherJob(), 0) << readFile(path("err"));
  EXPECT_TRUE(fs::exists(dir + "/summary.csv"));
}

TEST_F(SweepCli, SummaryJsonIsTheSameForTheSameRun) {
  const std::string scenario = CORVALENT2_SCENARIO_DIR "/dc_link_sag.json";
  for (const char* name : {"a.json", "b.json"}) {
    const ProcessResult r =
        runCorvalent2({"simulate", "--format", "none", "--summary-json", path(name), scenario});
    ASSERT_EQ(r.exitStatus, 0) << r.standardError;
  }
  EXPECT_EQ(readFile(path("a.json")), readFile(path("b.json")));
}

TEST_F(SweepCli, TheEnergyDrawnCoversTheKineticEnergyGained) {
  // The default scenario runs from 10 m/s, straight at both ends. What the DC link
  // gives is at least what the vehicle and its spinning parts gained: each rear side
  // carries rotor and wheel inertia worth (Jm G^2 + Jw) / r^2 of mass at the road
  // (slip only adds to it), and every loss adds to what is drawn.
  const ProcessResult r = runCorvalent2(
      {"simulate", "--format", "none", "--summary-json", path("f.json")});
  ASSERT_EQ(r.exitStatus, 0) << r.standardError;
  const Json f = Json::parse(readFile(path("f.json")));
  const double mass = 450.0 + 2 * (0.005 * 16 * 16 + 0.7) / (0.25 * 0.25);
  const double v1 = f["finalSpeed_m_s"], v0 = 10.0;
  EXPECT_GT(f["energyFromDcLink_J"].get<double>(), 0.5 * mass * (v1 * v1 - v0 * v0));
  // Field weakening comes in within the run, and the worst slip is that of a driven
  // wheel short of spinning.
  EXPECT_GT(f["fieldWeakeningFrom_s"].get<double>(), 0.0);
  EXPECT_LT(f["fieldWeakeningFrom_s"].get<double>(), 3.5);
  EXPECT_GT(f["maxSlip"].get<double>(), 0.0);
  EXPECT_LT(f["maxSlip"].get<double>(), 0.5);
}

}  // namespace
