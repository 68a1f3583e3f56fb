/* The host's record headers as a host written in C includes them: this file is C, so
   the build fails if a header stops compiling as C, and the layout pins inside the
   headers hold in C as they do in C++. At run time it checks what C code computes
   from them: the record-handle coding and the numbering of the host protocol. */
#include <stdint.h>
#include <stdio.h>

#include "block_record.h"
#include "dimensions_record.h"
#include "host_numbering.h"
#include "matrix_api.h"
#include "method_slots.h"
#include "mex_api.h"
#include "model_info.h"
#include "port_records.h"
#include "record_handle.h"
#include "service_blocks.h"
#include "size_record.h"
#include "solver_info.h"

static int failures = 0;

static void expect(int holds, const char* what) {
  if (!holds) {
    printf("FAILED: %s\n", what);
    ++failures;
  }
}

static void handleCodingRoundTrips(void) {
  SimStruct record;
  const void* addresses[] = {&record, (const void*)(uintptr_t)0x00007fff80000004u,
                             (const void*)(uintptr_t)0xffffffff00000001u};
  for (size_t i = 0; i < sizeof addresses / sizeof addresses[0]; ++i) {
    const int32_t low = recordHandleLow(addresses[i]);
    const int32_t high = recordHandleHigh(addresses[i]);
    expect(recordOfHandleHalves(low, high) == addresses[i], "a handle's halves give back the address");
  }
  expect(recordHandleLow((const void*)(uintptr_t)0x0000000180000000u) == INT32_MIN,
         "the low half is a signed 32-bit value");
  expect(recordHandleHigh((const void*)(uintptr_t)0x0000000180000000u) == 1,
         "the high half is the address's upper 32 bits");
}

static void numberingIsTheHosts(void) {
  expect(kVersionStamp == 8480229, "version stamp 8480229");
  expect(kRecordHandleRows == 3 && kRecordHandleStamp == 2, "a handle of three rows, stamp last");
  expect(kHostFlagOutputs == 104 && kHostFlagDeclareSampleTimes == 101, "flags 104 and 101");
  expect(kHostFlagFirst == 101 && kHostFlagLast == 150, "the flag table spans 101 to 150");
  expect(kServiceRecordInstalled == 280 && kServiceRegisterVersion == 299, "services 280 and 299");
  expect(kDataTypeDouble == 0 && kDataTypeSingle == 1 && kDataTypeInt32 == 6 &&
             kDataTypeBoolean == 8 && kDataTypeInvalid == -10,
         "data type ids");
  expect(kDataTypeComplexBit == 0x10000, "complex bit of a data type word");
  expect(kOptionSizesDeclared == 0x2000, "options bit 13");
  expect(kErrorBufferSize == 1024 && kModelFlagErrorKind == 0x10, "error buffer and error-kind bit");
  expect(kSizeEntryCount == 40 && kSizeVersion == 19 && kSizeOptions == 23 && kSizeFlags == 31,
         "size record entries");
}

int main(void) {
  handleCodingRoundTrips();
  numberingIsTheHosts();
  if (failures == 0) printf("the record headers compile and agree as C\n");
  return failures == 0 ? 0 : 1;
}
