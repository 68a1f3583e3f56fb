#include "sweep/part_file.h"

#include <cmath>
#include <cstdio>
#include <exception>
#include <fstream>
#include <iterator>
#include <limits>

#include "table/output_file.h"

namespace substitute_host::sweep {

namespace {

namespace fs = std::filesystem;
constexpr double kAbsent = std::numeric_limits<double>::quiet_NaN();

std::string partProblem(const Json& doc, std::uint64_t index, RunPart& part) {
  if (!doc.is_object() || doc.size() != 3 || !doc.contains("index") ||
      !doc.contains("status") || !doc.contains("figures"))
    return "not an object of index, status and figures";
  if (!doc["index"].is_number_unsigned() || doc["index"].get<std::uint64_t>() != index)
    return "its index is not " + std::to_string(index);
  if (!doc["status"].is_string() || doc["status"].get<std::string>().empty())
    return "its status is not a text";
  part.index = index;
  part.status = doc["status"].get<std::string>();
  const std::string why = figuresFromJson(doc["figures"], part.figures);
  if (!why.empty()) return why;
  for (std::size_t i = 0; i < part.figures.size(); ++i) {
    const bool mayBeAbsent = !part.ok() || simulate::kSummaryFigureNames[i] == "fieldWeakeningFrom_s";
    if (std::isnan(part.figures[i]) && !mayBeAbsent)
      return "a completed run without " + std::string(simulate::kSummaryFigureNames[i]);
  }
  return {};
}

}  // namespace

std::string partFileName(std::uint64_t index) {
  char name[40];
  std::snprintf(name, sizeof name, "run-%06llu.json", static_cast<unsigned long long>(index));
  return name;
}

std::string partJsonText(const RunPart& part) {
  std::string figures = simulate::summaryJsonText(part.figures);
  while (!figures.empty() && figures.back() == '\n') figures.pop_back();
  return "{\"index\":" + std::to_string(part.index) + ",\"status\":" + Json(part.status).dump() +
         ",\"figures\":" + figures + "}\n";
}

std::string writePart(const fs::path& partsFolder, const RunPart& part) {
  OutputFile file;
  if (!file.open((partsFolder / partFileName(part.index)).string())) return file.error();
  const std::string text = partJsonText(part);
  std::fwrite(text.data(), 1, text.size(), file.stream());
  if (!file.commit()) return file.error();  // a failed write leaves the stream's error flag
  return {};
}

std::string figuresFromJson(const Json& object, simulate::SummaryFigures& figures) {
  if (!object.is_object() || object.size() != simulate::kSummaryFigureCount)
    return "its figures are not the " + std::to_string(simulate::kSummaryFigureCount) + " known";
  for (std::size_t i = 0; i < figures.size(); ++i) {
    const auto it = object.find(simulate::kSummaryFigureNames[i]);
    if (it == object.end()) return "no figure " + std::string(simulate::kSummaryFigureNames[i]);
    if (!it->is_null() && !it->is_number())
      return std::string(simulate::kSummaryFigureNames[i]) + " is not a number";
    figures[i] = it->is_null() ? kAbsent : it->get<double>();
  }
  return {};
}

PartRead readPart(const fs::path& partsFolder, std::uint64_t index) {
  PartRead read;
  std::ifstream in(partsFolder / partFileName(index), std::ios::binary);
  if (!in) return read;
  const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  read.state = PartState::unreadable;
  if (in.bad()) {
    read.why = "reading failed";
    return read;
  }
  try {
    read.why = partProblem(plant::json_checks::parseStrict(text), index, read.part);
  } catch (const std::exception& e) {
    // The JSON reader's refusals begin with the scenario's prefix; here the text is a part.
    const std::string what = e.what();
    read.why = what.rfind("scenario: ", 0) == 0 ? what.substr(10) : what;
  }
  if (read.why.empty()) read.state = PartState::present;
  return read;
}

}  // namespace substitute_host::sweep
