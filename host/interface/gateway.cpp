// The gateway: a negative result count is a flag call from the host; otherwise it is
// the sizes call, which installs the block into a host record or answers a
// command-line query from a private record.
#include "gateway.h"

#include <array>
#include <cstring>
#include <string_view>

#include "block_method_table.h"
#include "block_ports.h"
#include "diagnostics.h"
#include "flag_dispatch.h"
#include "host_numbering.h"
#include "method_installation.h"
#include "private_record.h"
#include "raise_error.h"
#include "readable_memory.h"
#include "record_handle.h"

namespace {

constexpr int kSizesArgumentCount = 4;

// The S-function as the host's messages name it: MEX level2 S-function "<block name>".
constexpr auto kSFunctionDescription = [] {
  constexpr std::string_view prefix = "MEX level2 S-function \"";
  constexpr std::string_view name = kBlockName;
  std::array<char, prefix.size() + name.size() + 2> text{};
  char* out = text.data();
  for (char c : prefix) *out++ = c;
  for (char c : name) *out++ = c;
  *out = '"';
  return text;
}();

// A whole number in the 32-bit range; false for fractions, infinities and NaN, which
// must not reach a conversion.
bool exactInt32(double value, int32_t& out) {
  if (!(value > -2147483649.0 && value < 2147483648.0)) return false;
  out = static_cast<int32_t>(value);
  return static_cast<double>(out) == value;
}

bool truncatedInt32(double value, int32_t& out) {
  if (!(value > -2147483649.0 && value < 2147483648.0)) return false;
  out = static_cast<int32_t>(value);
  return true;
}

// The host passes a record's address as its two 32-bit halves and the version stamp.
// Reading three doubles needs a double array; anything else selects a private query.
SimStruct* recordOfHandle(const mxArray* handle) {
  if (handle == nullptr || mxGetM(handle) != kRecordHandleRows ||
      mxGetClassID(handle) != mxDOUBLE_CLASS)
    return nullptr;
  const double* values = mxGetPr(handle);
  if (values == nullptr || !(values[kRecordHandleStamp] == static_cast<double>(kVersionStamp)))
    return nullptr;
  int32_t low, high;
  if (!truncatedInt32(values[kRecordHandleLow], low) ||
      !truncatedInt32(values[kRecordHandleHigh], high))
    return nullptr;
  return static_cast<SimStruct*>(recordOfHandleHalves(low, high));
}

// The name of the record a handle names, or null when the record or its name cannot be
// read: a handle is an address that passed three tests, nothing more, and a wrong one
// must not take the host process down. A host's own record always reads.
const char* readableRecordName(const SimStruct* record) {
  constexpr size_t kLongestName = 4095;
  if (!memoryIsReadable(record, sizeof(SimStruct))) return nullptr;
  if (record->name == nullptr) return "";
  size_t length;
  return readableTextLength(record->name, kLongestName, length) ? record->name : nullptr;
}

bool flagIsOneRealNumber(const mxArray* flag) {
  const uint64_t count = static_cast<uint64_t>(mxGetM(flag)) * static_cast<uint64_t>(mxGetN(flag));
  return count == 1 && !mxIsComplex(flag) && mxIsNumeric(flag);
}

// The flag of a sizes call must be 0; false after raising the host's error. Only a
// double flag holds a double to read; other numeric classes are refused.
bool sizesFlagAccepted(const mxArray* flagArgument) {
  int32_t flag;
  if (!flagIsOneRealNumber(flagArgument) || mxGetClassID(flagArgument) != mxDOUBLE_CLASS ||
      !exactInt32(mxGetPr(flagArgument)[0], flag)) {
    raiseHostError(kErrFlagNotInteger, kSFunctionDescription.data());
    return false;
  }
  if (flag != kSizesCallFlag) {
    raiseHostError(kErrInvalidFlag, kSFunctionDescription.data());
    return false;
  }
  return true;
}

// The record a handle names, with the block's methods installed; null after raising
// the name-mismatch error. No readable record is a record of another name, with no
// name to show.
SimStruct* installedHostRecord(SimStruct* block) {
  const char* name = readableRecordName(block);
  if (name == nullptr || std::strncmp(name, kBlockName, sizeof kBlockName) != 0) {
    raiseHostError(kErrNameMismatch, kBlockName, name != nullptr ? name : "");
    return nullptr;
  }
  installBlockMethods(block);
  block->sizes.entry[kSizeFlags] |= kFlagDimensionMethods;
  return block;
}

// The size record read out whole, then options bit 13 added to the record and the
// host words that are reported unsigned put in.
mxArray* sizesVector(SimStruct* block) {
  mxArray* vector = mxCreateDoubleMatrix_700(kSizeEntryCount, 1, mxREAL);
  double* sizes = mxGetPr(vector);
  for (int k = 0; k < kSizeEntryCount; ++k) sizes[k] = block->sizes.entry[k];
  block->sizes.entry[kSizeOptions] |= kOptionSizesDeclared;
  for (int k = kSizeFirstUnsignedHostWord; k <= kSizeLastUnsignedHostWord; ++k)
    sizes[k] = static_cast<uint32_t>(block->sizes.entry[k]);
  sizes[kSizeOptions] = static_cast<uint32_t>(block->sizes.entry[kSizeOptions]);
  return vector;
}

void answerSizes(int nrhs, mxArray* plhs[], const mxArray* prhs[]) {
  if (!sizesFlagAccepted(prhs[3])) return;
  SimStruct* block = recordOfHandle(prhs[1]);
  if (block != nullptr) {
    if (installedHostRecord(block) == nullptr) return;
  } else {
    block = buildPrivateRecord(nrhs - kSizesArgumentCount, prhs + kSizesArgumentCount);
  }
  block->sizes.entry[kSizeVersion] = kVersionStamp;
  if (block->hostContext != nullptr && block->modelInfo->service != nullptr)
    block->modelInfo->service(block, kServiceRecordInstalled, 1, nullptr);
  kBlockMethodTable.declareSizes(block);
  plhs[0] = sizesVector(block);
}

// The host names the record in plhs[1] and the flag in prhs[3], a double.
void answerHostCall(mxArray* plhs[], const mxArray* prhs[]) {
  SimStruct* block = reinterpret_cast<SimStruct*>(plhs[1]);
  // A flag that is no double, NaN or out of range takes the default action, as 0 does.
  int32_t flag = 0;
  if (mxGetClassID(prhs[3]) == mxDOUBLE_CLASS && mxGetPr(prhs[3]) != nullptr &&
      !truncatedInt32(mxGetPr(prhs[3])[0], flag))
    flag = 0;
  dispatchHostFlag(block, flag);
}

}  // namespace

extern "C" void mexFunction(int nlhs, mxArray* plhs[], int nrhs, const mxArray* prhs[]) {
  if (nlhs < 0) {
    answerHostCall(plhs, prhs);
    return;
  }
  if (nrhs < kSizesArgumentCount) {
    raiseHostError(kErrTooFewRhsArguments, kSFunctionDescription.data(), kSizesArgumentCount);
    return;
  }
  if (nlhs > 1) {
    raiseHostError(kErrTooManyLhsArguments, kSFunctionDescription.data());
    return;
  }
  answerSizes(nrhs, plhs, prhs);
}

extern "C" void mexfilerequiredapiversion(uint32_t* first, uint32_t* second) {
  *first = kApiVersionFirst;
  *second = kApiVersionSecond;
}
