#pragma once

#include <cstdint>
#include <filesystem>
#include <string>

#include "simulate/summary_json.h"
#include "sweep/sweep_definition.h"

namespace substitute_host::sweep {

// The outcome of one run, as its part file holds it: DIR/parts/run-<6 digits>.json,
// {"index":i,"status":"ok" or the error,"figures":{...}}. A failed run is a result
// too: its figures are all null.
struct RunPart {
  std::uint64_t index = 0;
  std::string status = "ok";
  simulate::SummaryFigures figures{};
  bool ok() const { return status == "ok"; }
};

std::string partFileName(std::uint64_t index);
std::string partJsonText(const RunPart& part);

// Writes the part complete or not at all (a hidden name beside it, then a rename), so
// that a task killed midway never leaves half a part. Empty when written, else why not.
std::string writePart(const std::filesystem::path& partsFolder, const RunPart& part);

enum class PartState { present, missing, unreadable };
struct PartRead {
  PartState state = PartState::missing;
  RunPart part;
  std::string why;  // for an unreadable part
};
// Reads run `index`'s part; one that is truncated, for another index or of another
// shape is unreadable and never taken for a result.
PartRead readPart(const std::filesystem::path& partsFolder, std::uint64_t index);

// The figures of a summary JSON object: exactly the known names, each a number or null.
// Empty when they are, else why not.
std::string figuresFromJson(const Json& object, simulate::SummaryFigures& figures);

}  // namespace substitute_host::sweep
