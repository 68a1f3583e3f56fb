#include "simulate/summary_json.h"

#include <charconv>
#include <cmath>
#include <cstdio>

#include "table/output_file.h"

namespace substitute_host::simulate {

namespace {

std::string shortestNumber(double value) {
  char buffer[32];
  const auto written = std::to_chars(buffer, buffer + sizeof buffer, value);
  return std::string(buffer, written.ptr);
}

}  // namespace

SummaryFigures summaryFigures(const plant::SimulationResult& result) {
  const plant::RunStatistics& st = result.stats;
  return {result.finalState.speed(), st.peakSpeed,       st.peakCurrent[0],
          st.peakCurrent[1],         st.peakModIndex[0], st.peakModIndex[1],
          st.fieldWeakeningFrom,     st.maxSlip,         st.energyFromDcLink};
}

std::string summaryJsonText(const SummaryFigures& figures) {
  std::string text = "{";
  for (std::size_t i = 0; i < kSummaryFigureCount; ++i) {
    if (i > 0) text += ',';
    text += '"';
    text += kSummaryFigureNames[i];
    text += "\":";
    text += std::isfinite(figures[i]) ? shortestNumber(figures[i]) : std::string("null");
  }
  return text + "}\n";
}

std::string writeSummaryJson(const std::string& path, const SummaryFigures& figures) {
  OutputFile file;
  if (!file.open(path)) return file.error();
  const std::string text = summaryJsonText(figures);
  if (std::fwrite(text.data(), 1, text.size(), file.stream()) != text.size()) {
    file.abandon();
    return "writing failed";
  }
  if (!file.commit()) return file.error();
  return {};
}

}  // namespace substitute_host::simulate
