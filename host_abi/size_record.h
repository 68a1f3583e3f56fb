#pragma once

// The block record's size record: forty 32-bit entries, read out whole as the sizes
// vector of a command-line query. Entries not named here belong to the host.

#include <stdint.h>

#include "layout_pin.h"

#ifdef __cplusplus
extern "C" {
#endif

enum {
  kSizeEntryCount = 40,
  kSizeContinuousStates = 0,
  kSizeDiscreteStates = 1,
  kSizeOutputPorts = 2,
  kSizeInputPorts = 3,
  kSizeCallArgument = 4,  // port index or task selector of a host flag call
  kSizeSampleTimes = 6,
  kSizeExpectedDialogParameters = 7,
  kSizeIntegerWork = 8,
  kSizeRealWork = 9,
  kSizePointerWork = 10,
  kSizeFirstUnsignedHostWord = 15,
  kSizeLastUnsignedHostWord = 18,
  kSizeVersion = 19,
  kSizeDeclaredZeroA = 20,
  kSizeDeclaredZeroB = 22,
  kSizeOptions = 23,
  kSizeFlags = 31
};

// Bits of the flags word.
enum {
  kFlagDimensionMethods = 0x1,      // the port-dimension slots hold dimension-info methods
  kFlagPortCountsRegistered = 0x2,  // set by the private record's port-count setters
  kFlagSampleTimeOptionMask = 0x1800,
  kFlagSampleTimeOptionOne = 0x800,
  kFlagBlockAttributeMask = 0x780000,
  kFlagBlockAttributeOne = 0x80000
};

typedef struct SizeRecord {
  int32_t entry[kSizeEntryCount];
} SizeRecord;

HOST_PIN_OFFSET(SizeRecord, entry, 0);
HOST_PIN_SIZE(SizeRecord, 160);

#ifdef __cplusplus
}
#endif
