#include "loaded_block.h"

#include <dlfcn.h>

#include "block_ports.h"
#include "loader/prepared_block.h"

namespace octave_host {

namespace {

constexpr int kFlagArgumentCount = 4;

using ModuleGateway = void (*)(int nlhs, mxArray* plhs[], int nrhs, const mxArray* prhs[]);

bool findGateway(const SimStruct* record, void*& moduleHandle, ModuleGateway& gateway,
                 DriveFailure& failure);

}  // namespace

// The block set up as any host sets it up (PreparedBlock), with the gateway reached
// through Octave: the installing call by the caller's InstallingCall, the flag calls
// straight to the gateway of the module Octave loaded.
struct LoadedBlock::State {
  ~State() {
    // The record goes before the module reference: nothing of the module runs after.
    prepared = substitute_host::PreparedBlock();
    if (moduleHandle != nullptr) dlclose(moduleHandle);
  }

  static bool install(void* self, const std::array<double, kRecordHandleRows>& handle,
                      std::string& error) {
    State& state = *static_cast<State*>(self);
    if (state.installingCall(handle.data(), state.callContext, *state.failure)) return true;
    error = state.failure->message;
    return false;
  }

  // A host flag call: negative result count, the record's address in the second
  // result slot, the flag as the fourth argument. The gateway is found at the first
  // call, once the module has declared the block; without one nothing is called and
  // the failure is kept.
  static void sendFlag(void* self, SimStruct* record, int32_t flag) {
    State& state = *static_cast<State*>(self);
    if (state.gateway == nullptr &&
        !findGateway(record, state.moduleHandle, state.gateway, *state.failure))
      return;
    mxArray* plhs[2] = {nullptr, reinterpret_cast<mxArray*>(record)};
    const auto* unread = static_cast<const mxArray*>(state.flags.unread);
    const void* value = flag == kHostFlagOutputs ? state.flags.flagOutputs : state.flags.flagSampleTimes;
    const mxArray* prhs[kFlagArgumentCount] = {unread, unread, unread,
                                               static_cast<const mxArray*>(value)};
    state.gateway(-1, plhs, kFlagArgumentCount, prhs);
  }

  substitute_host::PreparedBlock prepared;
  InstallingCall installingCall = nullptr;
  void* callContext = nullptr;
  DriveFailure* failure = nullptr;
  FlagArrays flags{};
  void* moduleHandle = nullptr;
  ModuleGateway gateway = nullptr;
};

LoadedBlock::LoadedBlock() : state_(std::make_unique<State>()) {}
LoadedBlock::~LoadedBlock() = default;

bool LoadedBlock::open(InstallingCall install, void* context, const FlagArrays& flags,
                       DriveFailure& failure) {
  State& state = *state_;
  state.installingCall = install;
  state.callContext = context;
  state.failure = &failure;
  state.flags = flags;
  std::string error;
  if (state.prepared.open({&State::install, &State::sendFlag, &state}, error) && !failure.failed)
    return true;
  fail(failure, "Corvalent2:octave:notInstalled", "%s", error.c_str());
  return false;
}

void LoadedBlock::step(StepVia via, const float inputs[kInputSignalCount],
                       float outputs[kOutputSignalCount]) {
  const float* inputPorts[kInputPortCount];
  float* outputPorts[kOutputPortCount];
  for (const BlockPort& port : kInputPorts)
    inputPorts[port.index] = inputs + signalOffset(kInputPorts, port.index);
  for (const BlockPort& port : kOutputPorts)
    outputPorts[port.index] = outputs + signalOffset(kOutputPorts, port.index);
  state_->prepared.step(via == StepVia::flag ? substitute_host::StepVia::flag
                                             : substitute_host::StepVia::slot,
                        inputPorts, outputPorts);
}

void LoadedBlock::stepThroughSlot(void* self, const float* const inputs[kInputPortCount],
                                  float* const outputs[kOutputPortCount]) {
  static_cast<LoadedBlock*>(self)->state_->prepared.step(substitute_host::StepVia::slot, inputs,
                                                         outputs);
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
