// The host-flag path under arbitrary calls: flags of any class and value, any call
// argument and proposed values, on an installed record whose services, method slots
// and extension records the host may have withdrawn. The gateway never raises, and the
// error status it leaves is null or one well-formed diagnostic of under 1024 bytes.
#include <array>
#include <cstring>
#include <string>

#include "fuzz_arrays.h"
#include "loader/host_calls.h"
#include "tests/support/recording_host_block.h"
#include "runtime/gateway_call.h"

namespace {

using namespace substitute_host;
using test_doubles::RecordingHostBlock;

void noteValue(SimStruct*, int32_t, int32_t) {}

// What the host proposes to a port action, owned for the run.
struct Proposals {
  std::array<int32_t, 8> dimensionValues{};
  DimensionsRecord dimensions{};
  SymbolicDimensionsMethods symbolic{noteValue, noteValue};
};

void withdrawSlot(SimStruct* record, unsigned which) {
  MethodSlots& m = record->methods;
  switch (which) {
    case 0:
      m.setWorkWidths = nullptr;
      break;
    case 1:
      m.checkParameters = nullptr;
      break;
    case 2:
      m.setInputPortDataType = nullptr;
      break;
    case 3:
      m.setOutputPortDataType = nullptr;
      break;
    case 4:
      m.inputPortDimensions.width = nullptr;
      break;
    case 5:
      m.outputPortDimensions.width = nullptr;
      break;
    case 6:
      m.setInputPortComplexSignal = nullptr;
      break;
    case 7:
      m.setOutputPortSampleTime = nullptr;
      break;
    case 8:
      m.start = nullptr;
      break;
    default:
      m.outputs = nullptr;
      break;
  }
}

void withdrawExtensionEntry(ExtensionMethods& e, unsigned which, Proposals& p) {
  switch (which) {
    case 0:
      e.setInputPortFrameData = nullptr;
      break;
    case 1:
      e.setDefaultPortDimensionInfo = nullptr;
      break;
    case 2:
      e.setDefaultPortDataTypes = nullptr;
      break;
    case 3:
      e.initializePropagationPass = nullptr;
      break;
    case 4:
      e.symbolicDimensions = nullptr;
      break;
    case 5:
      p.symbolic.input = nullptr;
      break;
    default:
      e.symbolicDimensions = &p.symbolic;
      break;
  }
}

void propose(RecordingHostBlock& block, Proposals& p, fuzz::ByteSource& in) {
  ModelInfo& info = block.modelInfo();
  info.proposedPortValue = in.flip() ? in.raw<int32_t>() : static_cast<int32_t>(in.pick(12)) - 1;
  info.proposedSampleTime[0] = fuzz::chosenDouble(in);
  info.proposedSampleTime[1] = fuzz::chosenDouble(in);
  p.dimensions.width = in.raw<int32_t>();
  p.dimensions.dimensionCount = static_cast<int32_t>(in.pick(p.dimensionValues.size() + 1));
  for (int32_t& value : p.dimensionValues) value = static_cast<int32_t>(in.pick(6)) - 1;
  p.dimensions.dimensions = p.dimensionValues.data();
  info.proposedDimensions = in.flip() ? &p.dimensions : nullptr;
}

void feedInputs(RecordingHostBlock& block, fuzz::ByteSource& in) {
  for (int port = 0; port < 9; ++port) {
    for (int32_t i = 0; i < block.inputPorts()[port].width; ++i)
      block.inputSignal(port)[i] = in.raw<float>();
  }
}

void checkStatus(const SimStruct* root) {
  const char* status = root->errorStatus;
  if (status == nullptr) return;
  const std::size_t length = strnlen(status, kErrorBufferSize);
  fuzz::check(length < kErrorBufferSize, "an error status of 1024 bytes or more");
  const std::string text(status, length);
  const std::string head = "<diag_root><diag id=\"Simulink:SFunctions:";
  const std::string tail = "</diag></diag_root>";
  fuzz::check(text.rfind(head, 0) == 0 && text.size() > head.size() + tail.size() &&
                  text.compare(text.size() - tail.size(), tail.size(), tail) == 0,
              "an error status that is no diagnostic: " + text);
}

void flagCall(RecordingHostBlock& block, fuzz::ByteSource& in) {
  const substitute_host::OwnedArray flag =
      in.pick(4) == 0 ? fuzz::chosenArray(in) : makeDoubleMatrix(1, 1, {fuzz::chosenDouble(in)});
  OwnedArray empty = makeDoubleMatrix(0, 0);
  mxArray* plhs[2] = {nullptr, reinterpret_cast<mxArray*>(block.record())};
  const mxArray* prhs[4] = {empty.get(), empty.get(), empty.get(), flag.get()};
  block.record()->root->errorStatus = nullptr;
  const GatewayOutcome outcome = callGateway(fuzz::moduleUnderTest().gateway, -1, plhs, 4, prhs);
  fuzz::check(!outcome.raisedError, "a flag call raised " + outcome.errorId);
  checkStatus(block.record()->root);
}

// One step of the host: change what it offers, what it proposes, or send a flag.
void hostStep(RecordingHostBlock& block, Proposals& proposals, fuzz::ByteSource& in) {
  SimStruct* record = block.record();
  switch (in.pick(10)) {
    case 0:
      return block.offerServiceEntry(in.flip());
    case 1:
      return block.offerDimensionInfoServices(in.flip());
    case 2:
      record->extensionMethods = in.flip() ? &block.extensionMethods() : nullptr;
      return;
    case 3:
      return withdrawSlot(record, in.pick(10));
    case 4:
      return withdrawExtensionEntry(block.extensionMethods(), in.pick(7), proposals);
    case 5:
      record->sizes.entry[kSizeCallArgument] =
          in.flip() ? in.raw<int32_t>() : static_cast<int32_t>(in.pick(14)) - 2;
      return;
    case 6:
      return propose(block, proposals, in);
    case 7:
      return feedInputs(block, in);
    default:
      return flagCall(block, in);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  fuzz::ByteSource in(data, size);
  RecordingHostBlock block;
  Proposals proposals;
  fuzz::check(!installBlock(fuzz::moduleUnderTest(), block).raisedError, "installing raised");
  block.extensionMethods().symbolicDimensions = &proposals.symbolic;
  for (int step = 0; step < 32 && !in.empty(); ++step) hostStep(block, proposals, in);
  fuzz::check(outstandingCallocBytes() == 0, "host memory outlived the calls");
  return 0;
}
