#include "sweep/sbatch_script.h"

#include "text/display_text.h"

namespace substitute_host::sweep {

std::string slurmPathProblem(const std::string& path) {
  for (const char c : path) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte <= 0x20 || byte == 0x7F || std::string_view("%'\"$`\\!").find(c) != std::string_view::npos)
      return "'" + displayText(path, 200) +
             "' holds a character a Slurm job script cannot carry (a space, a quote, '%', '$', "
             "'`', '\\', '!' or a control byte); choose a folder without one";
  }
  return {};
}

std::string shellQuoted(const std::string& word) {
  std::string quoted = "'";
  for (const char c : word) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return quoted + "'";
}

namespace {

std::string header(const Plan& plan, const std::string& dir) {
  const std::uint64_t tasks = taskCount(plan);
  return "#!/bin/bash\n"
         "# Corvalent2 parameter sweep: " + std::to_string(plan.runs) + " runs in " +
         std::to_string(tasks) + " tasks of up to " + std::to_string(plan.chunk) +
         " runs each, then a gather job.\n"
         "#   sbatch " + dir + "/sweep.sbatch              runs every task, then gathers\n"
         "#   sbatch --array=3,7 " + dir + "/sweep.sbatch  reruns tasks 3 and 7, then gathers again\n"
         "# On a real cluster, change before submitting:\n"
         "#   - the partition: uncomment the --partition line and name yours;\n"
         "#   - the time limit: --time is per task (" + std::to_string(plan.chunk) +
         " runs; a run takes about its simulated time / 100 here);\n"
         "#   - module loads: where the tool needs libraries (libmatio) that the nodes only\n"
         "#     offer as environment modules, add `module load ...` before the first command.\n"
         "#SBATCH --job-name=corvalent2-sweep\n"
         "#SBATCH --array=0-" + std::to_string(tasks - 1) + "%" + std::to_string(plan.throttle) + "\n"
         "#SBATCH --output=" + dir + "/logs/task-%a.out\n"
         "#SBATCH --ntasks=1\n"
         "#SBATCH --cpus-per-task=1\n"
         "#SBATCH --time=01:00:00\n"
         "##SBATCH --partition=NAME\n";
}

}  // namespace

std::string sbatchScriptText(const Plan& plan, const std::filesystem::path& folder,
                             const std::filesystem::path& tool) {
  const std::string dir = folder.string();
  const std::string exe = tool.string();
  // The paths hold no character the double-quoted --wrap text would interpret.
  const std::string gather = "'" + exe + "' sweep gather '" + dir + "'";
  return header(plan, dir) +
         "set -euo pipefail\n"
         "if [ \"$SLURM_ARRAY_TASK_ID\" = \"$SLURM_ARRAY_TASK_MIN\" ]; then\n"
         "  sbatch --dependency=afterok:\"$SLURM_ARRAY_JOB_ID\" --kill-on-invalid-dep=yes \\\n"
         "    --job-name=corvalent2-gather --output=" + shellQuoted(dir + "/logs/gather.out") +
         " \\\n"
         "    --wrap=\"" + gather + "\"\n"
         "fi\n"
         "exec " + shellQuoted(exe) + " sweep run " + shellQuoted(dir) +
         " --task \"$SLURM_ARRAY_TASK_ID\"\n";
}

}  // namespace substitute_host::sweep
