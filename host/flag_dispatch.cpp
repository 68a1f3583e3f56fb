#include "flag_dispatch.h"

#include <cstdio>

#include "block/block_methods.h"
#include "diagnostics.h"
#include "error_reporting.h"

namespace {

constexpr int32_t kFirstFlag = 101;
constexpr int32_t kLastFlag = 150;
constexpr int32_t kTaskIdSelectorMinor = -2;

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

// Indexed by flag minus 101; an empty entry is an unassigned flag.
constexpr FlagAction kFlagActions[kLastFlag - kFirstFlag + 1] = {
    /*101*/ [](SimStruct* b) { mdlDeclareSampleTimes(b); },
    /*102*/ nullptr,
    /*103*/ [](SimStruct* b) { mdlRejectNextVarHit(b); },
    /*104*/ [](SimStruct* b) { mdlComputeOutputs(b, callArgument(b) == kTaskIdSelectorMinor ? -2 : 0); },
    /*105*/ nullptr,
    /*106*/ nullptr,
    /*107*/ [](SimStruct*) {},
    /*108*/ [](SimStruct* b) { mdlRejectZeroCrossings(b); },
    /*109*/ nullptr,
    /*110*/ nullptr,
    /*111*/ [](SimStruct* b) { callOrReport(b, b->methods.setWorkWidths, "mdlSetWorkWidths"); },
    /*112*/ [](SimStruct* b) { callOrReport(b, b->methods.checkParameters, "mdlCheckParameters"); },
    /*113*/ [](SimStruct* b) { portValue(b, b->methods.setInputPortDataType, "mdlSetInputPortDataType"); },
    /*114*/ [](SimStruct* b) { portValue(b, b->methods.setOutputPortDataType, "mdlSetOutputPortDataType"); },
    /*115*/ [](SimStruct* b) { portWidth(b, b->methods.inputPortDimensions, "mdlSetInputPortWidth"); },
    /*116*/ [](SimStruct* b) { portWidth(b, b->methods.outputPortDimensions, "mdlSetOutputPortWidth"); },
    /*117*/ [](SimStruct* b) {
      if (b->methods.start == nullptr) reportUnexpectedCall(b, "mdlStart");
      else mdlStart(b);
    },
    /*118*/ nullptr,
    /*119*/ nullptr,
    /*120*/ [](SimStruct* b) { portValue(b, b->methods.setInputPortComplexSignal, "mdlSetInputPortComplexSignal"); },
    /*121*/ [](SimStruct* b) { portValue(b, b->methods.setOutputPortComplexSignal, "mdlSetOutputPortComplexSignal"); },
    /*122*/ [](SimStruct* b) { portSampleTime(b, b->methods.setInputPortSampleTime, "mdlSetInputPortSampleTime"); },
    /*123*/ [](SimStruct* b) { portSampleTime(b, b->methods.setOutputPortSampleTime, "mdlSetOutputPortSampleTime"); },
    /*124*/ nullptr,
    /*125*/ nullptr,
    /*126*/ [](SimStruct* b) { portDimensionInfo(b, b->methods.inputPortDimensions, "mdlSetInputPortDimensionInfo"); },
    /*127*/ [](SimStruct* b) { portDimensionInfo(b, b->methods.outputPortDimensions, "mdlSetOutputPortDimensionInfo"); },
    /*128*/ [](SimStruct* b) { portValue(b, extensionOf(b).setInputPortFrameData, "mdlSetInputPortFrameData"); },
    /*129*/ nullptr,
    /*130*/ nullptr,
    /*131*/ [](SimStruct* b) { callOrReport(b, extensionOf(b).setDefaultPortDimensionInfo, "mdlSetDefaultPortDimensionInfo"); },
    /*132*/ [](SimStruct* b) { callOrReport(b, extensionOf(b).setDefaultPortDataTypes, "mdlSetDefaultPortDataTypes"); },
    /*133*/ [](SimStruct* b) { callOrReport(b, extensionOf(b).setDefaultPortComplexSignals, "mdlSetDefaultPortComplexSignals"); },
    /*134-141*/ nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
    /*142*/ [](SimStruct* b) { callOrReport(b, extensionOf(b).initializePropagationPass, "mdlInitializePropagationPass", callArgument(b)); },
    /*143*/ nullptr,
    /*144*/ [](SimStruct* b) { reportBlockError(b, kDiagUnexpectedGetSimState); },
    /*145*/ [](SimStruct* b) { reportBlockError(b, kDiagUnexpectedSetSimState); },
    /*146*/ nullptr,
    /*147*/ nullptr,
    /*148*/ nullptr,
    /*149*/ [](SimStruct* b) { symbolicDimensions(b, b->methods.inputPortDimensions, true, "mdlSetInputPortSymbolicDimensions"); },
    /*150*/ [](SimStruct* b) { symbolicDimensions(b, b->methods.outputPortDimensions, false, "mdlSetOutputPortSymbolicDimensions"); },
};

}  // namespace

void dispatchHostFlag(SimStruct* block, int32_t flag) {
  const FlagAction action =
      flag >= kFirstFlag && flag <= kLastFlag ? kFlagActions[flag - kFirstFlag] : nullptr;
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
