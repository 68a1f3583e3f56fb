#pragma once

// The numbers of the host protocol, each declared once by name: host flags, service
// ids, data type ids, option and flag bits, the version stamp and the record-handle
// coding, the error buffer. The plug-in and the substitute host both use these.

#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

// Host flags sent through the gateway with a negative result count. 101 to 150 form
// one table; every other value is unassigned.
enum HostFlag {
  kHostFlagFirst = 101,
  kHostFlagDeclareSampleTimes = 101,
  kHostFlagTimeOfNextVarHit = 103,
  kHostFlagOutputs = 104,
  kHostFlagAfterZeroCrossings = 107,
  kHostFlagZeroCrossings = 108,
  kHostFlagSetWorkWidths = 111,
  kHostFlagCheckParameters = 112,
  kHostFlagSetInputPortDataType = 113,
  kHostFlagSetOutputPortDataType = 114,
  kHostFlagSetInputPortWidth = 115,
  kHostFlagSetOutputPortWidth = 116,
  kHostFlagStart = 117,
  kHostFlagSetInputPortComplexSignal = 120,
  kHostFlagSetOutputPortComplexSignal = 121,
  kHostFlagSetInputPortSampleTime = 122,
  kHostFlagSetOutputPortSampleTime = 123,
  kHostFlagSetInputPortDimensionInfo = 126,
  kHostFlagSetOutputPortDimensionInfo = 127,
  kHostFlagSetInputPortFrameData = 128,
  kHostFlagSetDefaultPortDimensionInfo = 131,
  kHostFlagSetDefaultPortDataTypes = 132,
  kHostFlagSetDefaultPortComplexSignals = 133,
  kHostFlagInitializePropagationPass = 142,
  kHostFlagGetSimState = 144,
  kHostFlagSetSimState = 145,
  kHostFlagSetInputPortSymbolicDimensions = 149,
  kHostFlagSetOutputPortSymbolicDimensions = 150,
  kHostFlagLast = 150
};

// The only flag a sizes call accepts.
enum { kSizesCallFlag = 0 };

// Flag 104 runs the outputs with task id -2 when the call argument is -2, else 0.
enum { kTaskIdMinorStep = -2, kTaskIdMajorStep = 0 };

// Service ids of the host service entry that the plug-in calls on its own. The
// wrappers' ids live with the wrappers, one table row each.
enum HostServiceId {
  kServiceRecordInstalled = 280,  // integer argument 1, no argument block
  kServiceRegisterVersion = 299   // integer argument 0, the text "10.1"
};

// Data type ids in the host's numbering. A data type word adds the complex bit.
enum HostDataTypeId {
  kDataTypeDouble = 0,
  kDataTypeSingle = 1,
  kDataTypeInt8 = 2,
  kDataTypeUint8 = 3,
  kDataTypeInt16 = 4,
  kDataTypeUint16 = 5,
  kDataTypeInt32 = 6,
  kDataTypeUint32 = 7,
  kDataTypeBoolean = 8,
  kDataTypeInvalid = -10
};
enum { kDataTypeComplexBit = 0x10000 };

// Bits of the options word that the entry point adds after the size declaration.
enum { kOptionSizesDeclared = 0x2000 };

// The version stamp: written into the record's version entry and carried, as a
// double, by a record handle.
enum { kVersionStamp = 8480229 };

// The API-version words that the version query stores.
#define kApiVersionFirst 0x0002020Au
#define kApiVersionSecond 0x07000000u

// The root's error buffer, and the model flag that storing an error clears.
enum { kErrorBufferSize = 1024 };
enum { kModelFlagErrorKind = 0x10 };

#ifdef __cplusplus
}
#endif
