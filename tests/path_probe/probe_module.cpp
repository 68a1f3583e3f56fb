// A test double of the plug-in: a module that installs like the block (the port map's
// ports, an output slot, the host flags) but writes a mark instead of running the
// controller, one mark per path: 1 when the host calls the output slot, 2 when it sends
// host flag 104 through the gateway. A command's output then shows which path it took.
#include <cstring>

#include "block_ports.h"
#include "block_record.h"
#include "export.h"
#include "matrix_api.h"
#include "record_handle.h"

namespace {

constexpr float kMarkOfTheSlot = 1.0f;
constexpr float kMarkOfTheFlag = 2.0f;

void writeMark(SimStruct* block, float mark) {
  for (int32_t port = 0; port < kOutputPortCount; ++port)
    for (int32_t k = 0; k < block->outputPorts[port].width; ++k)
      static_cast<float*>(block->outputPorts[port].signal)[k] = mark;
}

void outputsThroughTheSlot(SimStruct* block, int32_t) { writeMark(block, kMarkOfTheSlot); }
void nothingToDo(SimStruct*) {}

void declarePorts(SimStruct* block) {
  block->setInputPortCount(block->inputPortCountContext, kInputPortCount);
  block->setOutputPortCount(block->outputPortCountContext, kOutputPortCount);
  for (const BlockPort& port : kInputPorts) block->inputPorts[port.index].width = port.width;
  for (const BlockPort& port : kOutputPorts) block->outputPorts[port.index].width = port.width;
}

SimStruct* recordOfHandle(const mxArray* handle) {
  const double* values = mxGetPr(handle);
  if (mxGetM(handle) != kRecordHandleRows || values == nullptr) return nullptr;
  return static_cast<SimStruct*>(recordOfHandleHalves(static_cast<int32_t>(values[0]),
                                                      static_cast<int32_t>(values[1])));
}

void install(SimStruct* block) {
  block->methods.outputs = outputsThroughTheSlot;
  block->methods.start = nothingToDo;
  declarePorts(block);
}

}  // namespace

extern "C" PLUGIN_EXPORT void mexFunction(int nlhs, mxArray* plhs[], int nrhs,
                                          const mxArray* prhs[]) {
  if (nlhs < 0) {
    auto* block = reinterpret_cast<SimStruct*>(plhs[1]);
    if (nrhs >= 4 && *mxGetPr(prhs[3]) == static_cast<double>(kHostFlagOutputs))
      writeMark(block, kMarkOfTheFlag);
    return;
  }
  SimStruct* block = nrhs >= 2 ? recordOfHandle(prhs[1]) : nullptr;
  if (block != nullptr) install(block);
  plhs[0] = mxCreateDoubleMatrix_700(kSizeEntryCount, 1, mxREAL);
  double* sizes = mxGetPr(plhs[0]);
  for (int k = 0; k < kSizeEntryCount; ++k) sizes[k] = block != nullptr ? block->sizes.entry[k] : 0;
}

extern "C" PLUGIN_EXPORT void mexfilerequiredapiversion(uint32_t* first, uint32_t* second) {
  *first = 0x0002020A;
  *second = 0x07000000;
}
