#include "sweep/summary_tables.h"

#include <cmath>
#include <cstdio>

#include "matfile_out/column_file.h"
#include "matfile_out/mat_name.h"
#include "sweep/csv_text.h"
#include "sweep/run_values.h"
#include "table/output_file.h"

namespace substitute_host::sweep {

namespace {

std::string csvHeader(const Plan& plan) {
  std::string text = "index";
  for (const VaryEntry& entry : plan.sweep.vary) text += ',' + csvField(entry.key);
  text += ",status";
  for (const std::string_view name : simulate::kSummaryFigureNames) text += ',' + std::string(name);
  return text + '\n';
}

std::vector<matfile_out::MatColumn> matColumns(const Plan& plan) {
  std::vector<matfile_out::MatColumn> columns = {{"index", false}};
  for (const VaryEntry& entry : plan.sweep.vary)
    columns.push_back({matfile_out::validMatName(entry.key), false});
  columns.push_back({"ok", false});
  for (const std::string_view name : simulate::kSummaryFigureNames)
    columns.push_back({std::string(name), false});
  return columns;
}

}  // namespace

std::string summaryCsvText(const Plan& plan, const GatheredRuns& runs) {
  std::string text = csvHeader(plan);
  for (const RunPart& run : runs) {
    text += std::to_string(run.index);
    for (const double value : runValues(plan.sweep, run.index)) text += ',' + csvNumber(value);
    text += ',' + csvField(run.status);
    for (const double figure : run.figures) text += ',' + csvNumber(figure);
    text += '\n';
  }
  return text;
}

std::string writeTextFile(const std::string& path, const std::string& text) {
  OutputFile file;
  if (!file.open(path)) return file.error();
  std::fwrite(text.data(), 1, text.size(), file.stream());
  if (!file.commit()) return file.error();  // a failed write leaves the stream's error flag
  return {};
}

std::string writeSummaryMat(const std::string& path, const Plan& plan, const GatheredRuns& runs) {
  matfile_out::MatColumnFile file;
  if (!file.open(path, matfile_out::MatVersion::v5, matColumns(plan), runs.size()))
    return file.error();
  std::string statuses, keys;
  for (const RunPart& run : runs) {
    std::vector<double> row = {static_cast<double>(run.index)};
    for (const double value : runValues(plan.sweep, run.index)) row.push_back(value);
    row.push_back(run.ok() ? 1.0 : 0.0);
    row.insert(row.end(), run.figures.begin(), run.figures.end());
    if (!file.appendRow(row)) return file.error();
    statuses += run.status + '\n';
  }
  for (const VaryEntry& entry : plan.sweep.vary) keys += entry.key + '\n';
  file.addText("status", statuses);
  file.addText("variedKeys", keys);
  if (!file.commit()) return file.error();
  return {};
}

}  // namespace substitute_host::sweep
