#include "flag_dispatch.h"

#include <array>
#include <cstdio>

#include "block_method_table.h"
#include "diagnostics.h"
#include "error_reporting.h"
#include "host_numbering.h"

namespace {

int32_t callArgument(SimStruct* block) { return block->sizes.entry[kSizeCallArgument]; }
int32_t proposedValue(SimStruct* block) { return block->modelInfo->proposedPortValue; }
bool dimensionMethods(SimStruct* block) {
  return (block->sizes.entry[kSizeFlags] & kFlagDimensionMethods) != 0;
}

// A slot that holds a method is called; an empty one is reported by the method's name.
template <typename Method, typename... Arguments>
void callOrReport(SimStruct* block, Method method, const char* name, Arguments... arguments) {
  if (method == nullptr) {
    reportUnexpectedCall(block, name);
    return;
  }
  method(block, arguments...);
}

void portValue(SimStruct* block, PortValueMethod method, const char* name) {
  callOrReport(block, method, name, callArgument(block), proposedValue(block));
}

void portSampleTime(SimStruct* block, PortSampleTimeMethod method, const char* name) {
  const double* proposed = block->modelInfo->proposedSampleTime;
  callOrReport(block, method, name, callArgument(block), proposed[0], proposed[1]);
}

void portWidth(SimStruct* block, const PortDimensionSlot& slot, const char* name) {
  callOrReport(block, dimensionMethods(block) ? nullptr : slot.width, name, callArgument(block),
               proposedValue(block));
}

void portDimensionInfo(SimStruct* block, const PortDimensionSlot& slot, const char* name) {
  callOrReport(block, dimensionMethods(block) ? slot.dimensionInfo : nullptr, name,
               callArgument(block), block->modelInfo->proposedDimensions);
}

// Gated by the port-dimension slot of the same direction; an empty table entry is
// never called but reported like any absent method.
void symbolicDimensions(SimStruct* block, const PortDimensionSlot& slot, bool input,
                        const char* name) {
  PortValueMethod method = nullptr;
  const ExtensionMethods* extension = block->extensionMethods;
  if (dimensionMethods(block) && slot.dimensionInfo != nullptr && extension != nullptr &&
      extension->symbolicDimensions != nullptr)
    method = input ? extension->symbolicDimensions->input : extension->symbolicDimensions->output;
  callOrReport(block, method, name, callArgument(block), proposedValue(block));
}

// The extension record is the host's; a record without one has none of its methods.
const ExtensionMethods& extensionOf(SimStruct* block) {
  static const ExtensionMethods none{};
  return block->extensionMethods != nullptr ? *block->extensionMethods : none;
}

using FlagAction = void (*)(SimStruct*);
using FlagTable = std::array<FlagAction, kHostFlagLast - kHostFlagFirst + 1>;

constexpr FlagAction& entry(FlagTable& table, int32_t flag) { return table[flag - kHostFlagFirst]; }

constexpr const BlockMethodTable& block = kBlockMethodTable;

// The flags that run the block's own methods, whatever the slots hold, and the fixed
// refusals.
constexpr void ownMethodFlags(FlagTable& t) {
  entry(t, kHostFlagDeclareSampleTimes) = [](SimStruct* b) { block.declareSampleTimes(b); };
  entry(t, kHostFlagTimeOfNextVarHit) = [](SimStruct* b) { block.rejectNextVarHit(b); };
  entry(t, kHostFlagOutputs) = [](SimStruct* b) {
    block.computeOutputs(b,
                         callArgument(b) == kTaskIdMinorStep ? kTaskIdMinorStep : kTaskIdMajorStep);
  };
  entry(t, kHostFlagAfterZeroCrossings) = [](SimStruct*) {};
  entry(t, kHostFlagZeroCrossings) = [](SimStruct* b) { block.rejectZeroCrossings(b); };
  entry(t, kHostFlagStart) = [](SimStruct* b) {
    if (b->methods.start == nullptr) return reportUnexpectedCall(b, "mdlStart");
    block.start(b);
  };
  entry(t, kHostFlagGetSimState) = [](SimStruct* b) {
    reportBlockError(b, kDiagUnexpectedGetSimState);
  };
  entry(t, kHostFlagSetSimState) = [](SimStruct* b) {
    reportBlockError(b, kDiagUnexpectedSetSimState);
  };
}

// The flags that call a method slot of the record.
constexpr void slotFlags(FlagTable& t) {
  entry(t, kHostFlagSetWorkWidths) = [](SimStruct* b) {
    callOrReport(b, b->methods.setWorkWidths, "mdlSetWorkWidths");
  };
  entry(t, kHostFlagCheckParameters) = [](SimStruct* b) {
    callOrReport(b, b->methods.checkParameters, "mdlCheckParameters");
  };
  entry(t, kHostFlagSetInputPortDataType) = [](SimStruct* b) {
    portValue(b, b->methods.setInputPortDataType, "mdlSetInputPortDataType");
  };
  entry(t, kHostFlagSetOutputPortDataType) = [](SimStruct* b) {
    portValue(b, b->methods.setOutputPortDataType, "mdlSetOutputPortDataType");
  };
  entry(t, kHostFlagSetInputPortComplexSignal) = [](SimStruct* b) {
    portValue(b, b->methods.setInputPortComplexSignal, "mdlSetInputPortComplexSignal");
  };
  entry(t, kHostFlagSetOutputPortComplexSignal) = [](SimStruct* b) {
    portValue(b, b->methods.setOutputPortComplexSignal, "mdlSetOutputPortComplexSignal");
  };
  entry(t, kHostFlagSetInputPortSampleTime) = [](SimStruct* b) {
    portSampleTime(b, b->methods.setInputPortSampleTime, "mdlSetInputPortSampleTime");
  };
  entry(t, kHostFlagSetOutputPortSampleTime) = [](SimStruct* b) {
    portSampleTime(b, b->methods.setOutputPortSampleTime, "mdlSetOutputPortSampleTime");
  };
}

// The flags of the two port-dimension slots, whose form the dimension-methods flag
// tells.
constexpr void dimensionFlags(FlagTable& t) {
  entry(t, kHostFlagSetInputPortWidth) = [](SimStruct* b) {
    portWidth(b, b->methods.inputPortDimensions, "mdlSetInputPortWidth");
  };
  entry(t, kHostFlagSetOutputPortWidth) = [](SimStruct* b) {
    portWidth(b, b->methods.outputPortDimensions, "mdlSetOutputPortWidth");
  };
  entry(t, kHostFlagSetInputPortDimensionInfo) = [](SimStruct* b) {
    portDimensionInfo(b, b->methods.inputPortDimensions, "mdlSetInputPortDimensionInfo");
  };
  entry(t, kHostFlagSetOutputPortDimensionInfo) = [](SimStruct* b) {
    portDimensionInfo(b, b->methods.outputPortDimensions, "mdlSetOutputPortDimensionInfo");
  };
  entry(t, kHostFlagSetInputPortSymbolicDimensions) = [](SimStruct* b) {
    symbolicDimensions(b, b->methods.inputPortDimensions, true,
                       "mdlSetInputPortSymbolicDimensions");
  };
  entry(t, kHostFlagSetOutputPortSymbolicDimensions) = [](SimStruct* b) {
    symbolicDimensions(b, b->methods.outputPortDimensions, false,
                       "mdlSetOutputPortSymbolicDimensions");
  };
}

// The flags that call a method of the extension record.
constexpr void extensionFlags(FlagTable& t) {
  entry(t, kHostFlagSetInputPortFrameData) = [](SimStruct* b) {
    portValue(b, extensionOf(b).setInputPortFrameData, "mdlSetInputPortFrameData");
  };
  entry(t, kHostFlagSetDefaultPortDimensionInfo) = [](SimStruct* b) {
    callOrReport(b, extensionOf(b).setDefaultPortDimensionInfo, "mdlSetDefaultPortDimensionInfo");
  };
  entry(t, kHostFlagSetDefaultPortDataTypes) = [](SimStruct* b) {
    callOrReport(b, extensionOf(b).setDefaultPortDataTypes, "mdlSetDefaultPortDataTypes");
  };
  entry(t, kHostFlagSetDefaultPortComplexSignals) = [](SimStruct* b) {
    callOrReport(b, extensionOf(b).setDefaultPortComplexSignals, "mdlSetDefaultPortComplexSignals");
  };
  entry(t, kHostFlagInitializePropagationPass) = [](SimStruct* b) {
    callOrReport(b, extensionOf(b).initializePropagationPass, "mdlInitializePropagationPass",
                 callArgument(b));
  };
}

// Indexed by flag minus the first flag; an empty entry is an unassigned flag. Built at
// compile time: nothing of the module runs when the host loads it.
constexpr FlagTable kFlagActions = [] {
  FlagTable table{};
  ownMethodFlags(table);
  slotFlags(table);
  dimensionFlags(table);
  extensionFlags(table);
  return table;
}();

}  // namespace

void dispatchHostFlag(SimStruct* block, int32_t flag) {
  const FlagAction action = flag >= kHostFlagFirst && flag <= kHostFlagLast
                                ? kFlagActions[flag - kHostFlagFirst]
                                : nullptr;
  if (action == nullptr) {
    reportBlockError(block, kDiagInvalidFlagInSimulinkC);
    return;
  }
  action(block);
}

void reportUnexpectedCall(SimStruct* block, const char* methodName) {
  char text[kErrorBufferSize];
  std::snprintf(text, sizeof text, kDiagUnexpectedFunctionCallFormat, methodName);
  reportFormattedBlockError(block, text);
}
