#include "raise_error.h"

#include "mex_api.h"

namespace {
void raise(mxArray* arguments[], int count) {
  mxArray* message[1] = {nullptr};
  mexCallMATLABWithObject(1, message, count, arguments, "message");
  mexCallMATLABWithObject(0, nullptr, 1, message, "error");
}
}  // namespace

void raiseHostError(const char* id, const char* argument) {
  mxArray* arguments[] = {mxCreateString(id), mxCreateString(argument)};
  raise(arguments, 2);
}

void raiseHostError(const char* id, const char* argument, double number) {
  mxArray* arguments[] = {mxCreateString(id), mxCreateString(argument),
                          mxCreateDoubleScalar(number)};
  raise(arguments, 3);
}

void raiseHostError(const char* id, const char* argument, const char* secondArgument) {
  mxArray* arguments[] = {mxCreateString(id), mxCreateString(argument),
                          mxCreateString(secondArgument)};
  raise(arguments, 3);
}
