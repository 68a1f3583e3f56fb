#include "loaded_block.h"

#include <dlfcn.h>

#include <algorithm>
#include <cstdint>

#include "records/host_block.h"

namespace octave_host {

namespace {

constexpr double kVersionStamp = 8480229.0;
constexpr int kInputPorts = 9, kOutputPorts = 2;
constexpr int kInputValues = 13, kOutputValues = 6;
constexpr int kFlagArgumentCount = 4;

// The three doubles that name a record: the low and high 32-bit halves of its address
// as signed integers, then the version stamp.
void recordHandle(const SimStruct* record, double handle[3]) {
  const auto address = static_cast<uint64_t>(reinterpret_cast<uintptr_t>(record));
  handle[0] = static_cast<int32_t>(static_cast<uint32_t>(address));
  handle[1] = static_cast<int32_t>(static_cast<uint32_t>(address >> 32));
  handle[2] = kVersionStamp;
}

// Nine inputs of 13 values in all and two outputs of 6: the rows the driver passes.
bool declaresDriveShape(substitute_host::HostBlock& block) {
  if (block.inputPorts().size() != kInputPorts || block.outputPorts().size() != kOutputPorts)
    return false;
  int inputs = 0, outputs = 0;
  for (const InputPortRecord& port : block.inputPorts()) inputs += std::max(port.width, 0);
  for (const OutputPortRecord& port : block.outputPorts()) outputs += std::max(port.width, 0);
  return inputs == kInputValues && outputs == kOutputValues;
}

using ModuleGateway = void (*)(int nlhs, mxArray* plhs[], int nrhs, const mxArray* prhs[]);

bool findGateway(const SimStruct* record, void*& moduleHandle, ModuleGateway& gateway,
                 DriveFailure& failure);

}  // namespace

struct LoadedBlock::State {
  ~State() {
    // The record goes before the module reference: nothing of the module runs after.
    block.reset();
    if (moduleHandle != nullptr) dlclose(moduleHandle);
  }

  // A host flag call: negative result count, the record's address in the second
  // result slot, the flag as the fourth argument.
  void sendFlag(const void* flag) {
    mxArray* plhs[2] = {nullptr, reinterpret_cast<mxArray*>(block->record())};
    const auto* unread = static_cast<const mxArray*>(flags.unread);
    const mxArray* prhs[kFlagArgumentCount] = {unread, unread, unread,
                                               static_cast<const mxArray*>(flag)};
    gateway(-1, plhs, kFlagArgumentCount, prhs);
  }

  std::unique_ptr<substitute_host::HostBlock> block;
  FlagArrays flags{};
  void* moduleHandle = nullptr;
  ModuleGateway gateway = nullptr;
};

LoadedBlock::LoadedBlock() : state_(std::make_unique<State>()) {}
LoadedBlock::~LoadedBlock() = default;

bool LoadedBlock::open(InstallingCall install, void* context, const FlagArrays& flags,
                       DriveFailure& failure) {
  State& state = *state_;
  state.flags = flags;
  state.block = std::make_unique<substitute_host::HostBlock>();
  double handle[3];
  recordHandle(state.block->record(), handle);
  if (!install(handle, context, failure)) return false;
  if (!declaresDriveShape(*state.block)) {
    fail(failure, "Corvalent2:octave:notInstalled",
         "the module did not declare nine inputs of 13 values and two outputs of 6");
    return false;
  }
  state.block->allocateSignals();
  SimStruct* record = state.block->record();
  if (!findGateway(record, state.moduleHandle, state.gateway, failure)) return false;
  state.sendFlag(flags.flagSampleTimes);
  if (record->methods.start != nullptr) record->methods.start(record);
  if (record->errorStatus != nullptr) {
    fail(failure, "Corvalent2:octave:startFailed", "the block reported an error at start: %s",
         record->errorStatus);
    return false;
  }
  return true;
}

void LoadedBlock::step(StepVia via, const float inputs[13], float outputs[6]) {
  substitute_host::HostBlock& block = *state_->block;
  for (int port = 0; port < kInputPorts; ++port) {
    const int width = block.inputPorts()[port].width;
    std::copy_n(inputs, width, block.inputSignal(port));
    inputs += width;
  }
  SimStruct* record = block.record();
  if (via == StepVia::slot)
    record->methods.outputs(record, 0);
  else
    state_->sendFlag(state_->flags.flagOutputs);
  for (int port = 0; port < kOutputPorts; ++port) {
    const int width = block.outputPorts()[port].width;
    std::copy_n(block.outputSignal(port), width, outputs);
    outputs += width;
  }
}

void LoadedBlock::stepThroughSlot(void* self, const float* const inputs[9],
                                  float* const outputs[2]) {
  substitute_host::HostBlock& block = *static_cast<LoadedBlock*>(self)->state_->block;
  for (int port = 0; port < kInputPorts; ++port)
    std::copy_n(inputs[port], block.inputPorts()[port].width, block.inputSignal(port));
  SimStruct* record = block.record();
  record->methods.outputs(record, 0);
  for (int port = 0; port < kOutputPorts; ++port)
    std::copy_n(block.outputSignal(port), block.outputPorts()[port].width, outputs[port]);
}

namespace {

// The output method the installing call wrote lies in the module that was called: the
// module's own gateway is found from there, whatever path Octave loaded it by. The
// extra reference taken here keeps it loaded while the block is in use.
bool findGateway(const SimStruct* record, void*& moduleHandle, ModuleGateway& gateway,
                 DriveFailure& failure) {
  const auto outputs = record->methods.outputs;
  Dl_info where{};
  if (outputs == nullptr || dladdr(reinterpret_cast<void*>(outputs), &where) == 0 ||
      where.dli_fname == nullptr) {
    fail(failure, "Corvalent2:octave:notInstalled", "the module installed no output method");
    return false;
  }
  moduleHandle = dlopen(where.dli_fname, RTLD_NOW | RTLD_NOLOAD);
  if (moduleHandle != nullptr)
    gateway = reinterpret_cast<ModuleGateway>(dlsym(moduleHandle, "mexFunction"));
  if (gateway == nullptr) {
    fail(failure, "Corvalent2:octave:notInstalled", "no gateway in the module '%s'",
         where.dli_fname);
    return false;
  }
  return true;
}

}  // namespace

}  // namespace octave_host
