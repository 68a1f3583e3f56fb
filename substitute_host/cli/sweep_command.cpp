#include "sweep_command.h"

#include <memory>

#include "checked_output.h"
#include "module_option.h"
#include "sweep_actions.h"

namespace substitute_host {

namespace {

struct SweepOptions {
  SweepPlanOptions plan;
  SweepRunOptions run;
  SweepGatherOptions gather;
  SweepLocalOptions local;
  SweepScenarioOptions scenario;
};

CLI::App* addPlan(CLI::App& sweep, SweepPlanOptions& o) {
  CLI::App* plan = sweep.add_subcommand(
      "plan", "Lay a sweep file out in a folder: manifest.csv (each run's varied values), "
              "plan.json (all that running needs) and sweep.sbatch (a Slurm job array).");
  plan->add_option("SWEEP", o.sweepFile, "Sweep file (JSON).")->required()->check(nonEmptyPath());
  plan->add_option("-o,--output", o.folder, "Folder for the plan (made if missing).")
      ->required()->check(nonEmptyPath());
  plan->add_option("--chunk", o.chunk, "Runs per cluster task.")->check(CLI::Range(1, 1000000))
      ->capture_default_str();
  plan->add_option("--throttle", o.throttle, "Cluster tasks running at once at most.")
      ->check(CLI::Range(1, 1000000))->capture_default_str();
  plan->add_option("--max-runs", o.maxRuns, "Refuse a sweep of more runs (default 10000).")
      ->check(CLI::Range(1, 1000000000));
  plan->add_flag("--allow-many", o.allowMany, "Plan however many runs the sweep has.");
  return plan;
}

CLI::App* addRun(CLI::App& sweep, SweepRunOptions& o) {
  CLI::App* run = sweep.add_subcommand(
      "run", "Run the runs of one task, each in a freshly loaded block, writing each run's "
             "part into DIR/parts/ (a failed run's part holds its error).");
  run->add_option("DIR", o.folder, "The planned folder.")->required()->check(nonEmptyPath());
  run->add_option("--task", o.task, "The task's number, from 0.")->required();
  run->add_option("--chunk", o.chunk, "Runs per task, if not the plan's.")
      ->check(CLI::Range(1, 1000000));
  addModuleOption(*run, o.module);
  return run;
}

CLI::App* addGather(CLI::App& sweep, SweepGatherOptions& o) {
  CLI::App* gather = sweep.add_subcommand(
      "gather", "Gather the parts into DIR/summary.csv and DIR/summary.mat. Missing runs are "
                "listed with the commands that rerun them (exit status 3).");
  gather->add_option("DIR", o.folder, "The planned folder.")->required()->check(nonEmptyPath());
  gather->add_flag("--partial", o.partial, "Write the tables even while runs are missing.");
  return gather;
}

CLI::App* addLocal(CLI::App& sweep, SweepLocalOptions& o) {
  CLI::App* local = sweep.add_subcommand(
      "local", "Run every run on this machine, each in a freshly loaded block, then gather.");
  local->add_option("DIR", o.folder, "The planned folder.")->required()->check(nonEmptyPath());
  local->add_option("-j,--jobs", o.jobs, "Runs at once (default: every core).")
      ->check(CLI::Range(1, 4096));
  addModuleOption(*local, o.module);
  return local;
}

CLI::App* addScenario(CLI::App& sweep, SweepScenarioOptions& o) {
  CLI::App* scenario =
      sweep.add_subcommand("scenario", "Print the full scenario of one run of a planned folder.");
  scenario->add_option("DIR", o.folder, "The planned folder.")->required()->check(nonEmptyPath());
  scenario->add_option("INDEX", o.index, "The run's index, from 0.")->required();
  scenario->add_option("-o,--output", o.output, "Write it to this file instead.")
      ->check(nonEmptyPath());
  return scenario;
}

}  // namespace

Subcommand addSweepCommand(CLI::App& app) {
  auto options = std::make_shared<SweepOptions>();
  CLI::App* sweep = app.add_subcommand(
      "sweep", "Parameter sweeps: many closed-loop runs from one sweep file, on this machine "
               "or as a Slurm job array, gathered into one table.");
  sweep->require_subcommand(1);
  CLI::App* plan = addPlan(*sweep, options->plan);
  CLI::App* run = addRun(*sweep, options->run);
  CLI::App* gather = addGather(*sweep, options->gather);
  CLI::App* local = addLocal(*sweep, options->local);
  CLI::App* scenario = addScenario(*sweep, options->scenario);
  return Subcommand{sweep, [=] {
                      if (plan->parsed()) return sweepPlan(options->plan);
                      if (run->parsed()) return sweepRun(options->run);
                      if (gather->parsed()) return sweepGather(options->gather);
                      if (local->parsed()) return sweepLocal(options->local);
                      if (scenario->parsed()) return sweepScenario(options->scenario);
                      return kExitUsage;
                    }};
}

}  // namespace substitute_host
