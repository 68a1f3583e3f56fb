// corvalent2_drive: runs the block that Octave loaded as the host does, for the
// functions corvalent2_replay and corvalent2_simulate beside it.
//   [Y, failure] = corvalent2_drive("replay", U, viaFlag)
//       U: N-by-13 single, real; viaFlag: true for host flag 104
//   [R, failure] = corvalent2_drive("simulate", file, decimate)
//       file: "" for the built-in scenario
// The driver raises nothing itself: a failure comes back as a struct with the fields
// identifier and message (empty when none) for the caller to raise, in Octave, once
// every object of the driver is gone.
#include <mex.h>

#include <cstring>
#include <new>
#include <string>
#include <vector>

#include "drive_failure.h"
#include "loaded_block.h"
#include "replay_rows.h"
#include "simulation_columns.h"

namespace {

using octave_host::DriveFailure;
using octave_host::fail;

constexpr const char* kBadCall = "Corvalent2:octave:badDriverCall";

// The installing call goes through Octave's own call of the module, so Octave loads it
// (or reuses the module it has loaded). Made by corvalent2_install beside this driver,
// which hands back an error the call raises instead of letting it unwind through here.
bool installThroughOctave(const double handle[3], void*, DriveFailure& failure) {
  mxArray* handleArray = mxCreateDoubleMatrix(3, 1, mxREAL);
  std::memcpy(mxGetPr(handleArray), handle, 3 * sizeof(double));
  mxArray* results[2] = {nullptr, nullptr};
  mexCallMATLAB(2, results, 1, &handleArray, "corvalent2_install");
  const mxArray* raised = results[1];
  if (raised == nullptr || !mxIsStruct(raised)) return true;
  char id[sizeof failure.id] = "", text[sizeof failure.message] = "";
  if (const mxArray* field = mxGetField(raised, 0, "identifier")) mxGetString(field, id, sizeof id);
  if (const mxArray* field = mxGetField(raised, 0, "message")) mxGetString(field, text, sizeof text);
  fail(failure, "Corvalent2:octave:installFailed", "the installing call of Corvalent2 failed: %s%s%s",
       id, *id != 0 ? ": " : "", text);
  return false;
}

octave_host::FlagArrays flagArrays() {
  return {mxCreateDoubleMatrix(0, 0, mxREAL), mxCreateDoubleScalar(101.0),
          mxCreateDoubleScalar(104.0)};
}

bool isRealMatrix(const mxArray* array) {
  return !mxIsComplex(array) && !mxIsSparse(array) && mxGetNumberOfDimensions(array) == 2;
}

void replay(mxArray* plhs[], const mxArray* prhs[], DriveFailure& failure) {
  const mxArray* inputs = prhs[1];
  if (!mxIsSingle(inputs) || !isRealMatrix(inputs) || mxGetN(inputs) != 13 ||
      !mxIsLogicalScalar(prhs[2]))
    return fail(failure, kBadCall, "replay takes an N-by-13 real single matrix and a logical");
  const std::size_t rows = mxGetM(inputs);
  const auto via = mxIsLogicalScalarTrue(prhs[2]) ? octave_host::StepVia::flag
                                                  : octave_host::StepVia::slot;
  mxArray* outputs = mxCreateNumericMatrix(static_cast<mwSize>(rows), 6, mxSINGLE_CLASS, mxREAL);
  octave_host::LoadedBlock block;
  if (!block.open(installThroughOctave, nullptr, flagArrays(), failure)) return;
  octave_host::replayRows(block, via, static_cast<const float*>(mxGetData(inputs)), rows,
                          static_cast<float*>(mxGetData(outputs)));
  plhs[0] = outputs;
}

mxArray* columnArray(const octave_host::SimulationColumn& column) {
  const auto rows = static_cast<mwSize>(column.values.size());
  if (!column.isBlockSignal) {
    mxArray* array = mxCreateDoubleMatrix(rows, 1, mxREAL);
    std::memcpy(mxGetPr(array), column.values.data(), column.values.size() * sizeof(double));
    return array;
  }
  mxArray* array = mxCreateNumericMatrix(rows, 1, mxSINGLE_CLASS, mxREAL);
  auto* singles = static_cast<float*>(mxGetData(array));
  for (std::size_t i = 0; i < column.values.size(); ++i)
    singles[i] = static_cast<float>(column.values[i]);
  return array;
}

mxArray* columnsStruct(const std::vector<octave_host::SimulationColumn>& columns) {
  std::vector<std::string> names;
  for (const auto& column : columns) names.emplace_back(column.header);
  std::vector<const char*> fields;
  for (const auto& name : names) fields.push_back(name.c_str());
  mxArray* result = mxCreateStructMatrix(1, 1, static_cast<int>(fields.size()), fields.data());
  for (std::size_t i = 0; i < columns.size(); ++i)
    mxSetField(result, 0, fields[i], columnArray(columns[i]));
  return result;
}

bool decimateOf(const mxArray* argument, int& decimate) {
  if (!mxIsDouble(argument) || mxIsComplex(argument) || mxGetNumberOfElements(argument) != 1)
    return false;
  const double value = mxGetScalar(argument);
  if (!(value >= 1.0 && value <= 2147483647.0) || value != static_cast<int>(value)) return false;
  decimate = static_cast<int>(value);
  return true;
}

void simulate(mxArray* plhs[], const mxArray* prhs[], DriveFailure& failure) {
  int decimate = 1;
  if (!(mxIsChar(prhs[1]) && mxGetM(prhs[1]) <= 1) || !decimateOf(prhs[2], decimate))
    return fail(failure, kBadCall, "simulate takes a file name and a positive whole decimate");
  char* text = mxArrayToString(prhs[1]);
  const std::string path = text != nullptr ? text : "";
  mxFree(text);
  substitute_host::plant::Scenario scenario;
  if (!octave_host::loadScenario(path, scenario, failure)) return;
  octave_host::LoadedBlock block;
  if (!block.open(installThroughOctave, nullptr, flagArrays(), failure)) return;
  std::vector<octave_host::SimulationColumn> columns;
  if (!octave_host::simulateColumns(block, scenario, decimate, columns, failure)) return;
  plhs[0] = columnsStruct(columns);
}

bool commandIs(const mxArray* argument, const char* name) {
  char text[16] = {};
  return mxIsChar(argument) && mxGetString(argument, text, sizeof text) == 0 &&
         std::strcmp(text, name) == 0;
}

void drive(int nlhs, mxArray* plhs[], int nrhs, const mxArray* prhs[], DriveFailure& failure) {
  if (nrhs != 3 || nlhs != 2) return fail(failure, kBadCall, "three arguments, two results");
  try {
    if (commandIs(prhs[0], "replay")) return replay(plhs, prhs, failure);
    if (commandIs(prhs[0], "simulate")) return simulate(plhs, prhs, failure);
    fail(failure, kBadCall, "the command is \"replay\" or \"simulate\"");
  } catch (const std::bad_alloc&) {
    fail(failure, "Corvalent2:octave:outOfMemory", "not enough memory");
  }
}

mxArray* failureStruct(const DriveFailure& failure) {
  const char* fields[] = {"identifier", "message"};
  mxArray* result = mxCreateStructMatrix(1, 1, 2, fields);
  mxSetField(result, 0, "identifier", mxCreateString(failure.id));
  mxSetField(result, 0, "message", mxCreateString(failure.message));
  return result;
}

}  // namespace

void mexFunction(int nlhs, mxArray* plhs[], int nrhs, const mxArray* prhs[]) {
  DriveFailure failure;
  drive(nlhs, plhs, nrhs, prhs, failure);
  if (plhs[0] == nullptr) plhs[0] = mxCreateDoubleMatrix(0, 0, mxREAL);
  if (nlhs < 2) return;
  plhs[1] = failure.failed ? failureStruct(failure) : mxCreateDoubleMatrix(0, 0, mxREAL);
}
