#include "mat_replay_output.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <vector>

#include "replay/output_csv.h"

namespace substitute_host {

bool isMatOutputPath(const std::string& path) {
  constexpr std::string_view kExtension = ".mat";
  if (path.size() <= kExtension.size()) return false;
  return std::equal(
      kExtension.begin(), kExtension.end(), path.end() - kExtension.size(),
      [](char a, char b) { return a == std::tolower(static_cast<unsigned char>(b)); });
}

bool MatReplayOutput::open(const std::string& path) {
  std::vector<matfile_out::MatColumn> columns;
  for (const std::string_view name : kOutputColumns)
    columns.push_back(matfile_out::MatColumn{std::string(name), true});
  return file_.open(path, matfile_out::MatVersion::v73, columns);
}

bool MatReplayOutput::begin(bool withTime) {
  withTime_ = withTime;
  return !withTime || file_.addColumn(matfile_out::MatColumn{"time", false});
}

bool MatReplayOutput::row(double time, const float outputs[kOutputSignalCount]) {
  std::array<double, kOutputSignalCount + 1> values{};
  std::copy(outputs, outputs + kOutputSignalCount, values.begin());
  values[kOutputSignalCount] = time;
  return file_.appendRow(
      std::span<const double>(values.data(), withTime_ ? values.size() : kOutputSignalCount));
}

}  // namespace substitute_host
