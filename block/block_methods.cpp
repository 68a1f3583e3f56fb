#include "block_methods.h"

#include <iterator>
#include <string_view>

#include "block_ports.h"
#include "control/drive_step.h"
#include "diagnostics.h"
#include "error_reporting.h"
#include "host_numbering.h"

void mdlDeclareSampleTimes(SimStruct* block) {
  block->sampleTimes[0] = -1.0;  // inherited
  const uint32_t flags = static_cast<uint32_t>(block->sizes.entry[kSizeFlags]);
  block->sizes.entry[kSizeFlags] =
      static_cast<int32_t>((flags & ~kFlagSampleTimeOptionMask) | kFlagSampleTimeOptionOne);
  block->offsetTimes[0] = 0.0;
}

// The block keeps no dimension logic: whatever the host's own service accepts stands.
int32_t mdlSetInputPortDimensionInfo(SimStruct* block, int32_t port,
                                     const DimensionsRecord* dimensions) {
  DimensionInfoService service = block->modelInfo->setInputPortDimensionInfo;
  return service != nullptr ? service(block, port, dimensions) : 0;
}

int32_t mdlSetOutputPortDimensionInfo(SimStruct* block, int32_t port,
                                      const DimensionsRecord* dimensions) {
  DimensionInfoService service = block->modelInfo->setOutputPortDimensionInfo;
  return service != nullptr ? service(block, port, dimensions) : 0;
}

// The data type methods act on port 0 whatever port the host names.
void mdlSetInputPortDataType(SimStruct* block, int32_t, int32_t dataType) {
  block->inputPorts[0].dataType = dataType;
}

void mdlSetOutputPortDataType(SimStruct* block, int32_t, int32_t dataType) {
  block->outputPorts[0].dataType = dataType;
}

void mdlSetDefaultPortDataTypes(SimStruct* block) {
  block->inputPorts[0].dataType = kDataTypeDouble;
  block->outputPorts[0].dataType = kDataTypeDouble;
}

void mdlStart(SimStruct*) {}

namespace {
const float* inputSignal(const SimStruct* block, const BlockPort& port) {
  return static_cast<const float*>(block->inputPorts[port.index].signal);
}
float* outputSignal(const SimStruct* block, const BlockPort& port) {
  return static_cast<float*>(block->outputPorts[port.index].signal);
}
}  // namespace

// driveOutputs takes the ports in this order; the port map must list them so.
constexpr std::string_view kDriveOutputsArguments[] = {
    "iabc1", "theta1",    "omega1",     "iabc2",     "theta2",   "omega2",
    "udc",   "iqCommand", "steerAngle", "vabcNorm1", "vabcNorm2"};

constexpr bool portMapMatchesDriveOutputs() {
  for (size_t i = 0; i < kInputPorts.size(); ++i)
    if (kInputPorts[i].name != kDriveOutputsArguments[i] ||
        kInputPorts[i].index != static_cast<int32_t>(i))
      return false;
  for (size_t i = 0; i < kOutputPorts.size(); ++i)
    if (kOutputPorts[i].name != kDriveOutputsArguments[kInputPorts.size() + i] ||
        kOutputPorts[i].index != static_cast<int32_t>(i))
      return false;
  return true;
}
static_assert(portMapMatchesDriveOutputs());
static_assert(std::size(kDriveOutputsArguments) == kInputPorts.size() + kOutputPorts.size());

void mdlComputeOutputs(SimStruct* block, int32_t) {
  const auto& in = kInputPorts;
  const auto& out = kOutputPorts;
  driveOutputs(inputSignal(block, in[0]), inputSignal(block, in[1]), inputSignal(block, in[2]),
               inputSignal(block, in[3]), inputSignal(block, in[4]), inputSignal(block, in[5]),
               inputSignal(block, in[6]), inputSignal(block, in[7]), inputSignal(block, in[8]),
               outputSignal(block, out[0]), outputSignal(block, out[1]));
}

void mdlRejectNextVarHit(SimStruct* block) { reportBlockError(block, kDiagNoTimeOfNextVarHit); }

void mdlRejectZeroCrossings(SimStruct* block) { reportBlockError(block, kDiagNoZeroCrossings); }

void mdlDoNothing(SimStruct*) {}
