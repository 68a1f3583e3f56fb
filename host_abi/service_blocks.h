#pragma once

// The argument blocks of the host service entry: small records on the caller's stack
// that hold a service's inputs and receive its answer. Their layout is part of the
// host protocol (natural alignment, offsets in bytes as pinned below).

#include <stdint.h>

#include "layout_pin.h"

#ifdef __cplusplus
extern "C" {
#endif

typedef struct ServiceIntBlock {
  int32_t value;
} ServiceIntBlock;

typedef struct ServiceByteBlock {
  uint8_t value;
} ServiceByteBlock;

typedef struct ServiceDoubleBlock {
  double value;
} ServiceDoubleBlock;

typedef struct ServicePointerBlock {
  void* value;
} ServicePointerBlock;

// Asks about an object: the object's address in, the host's answer out.
typedef struct ServicePointerQueryBlock {
  const void* object;
  int32_t answer;
} ServicePointerQueryBlock;

// Asks about an object together with a 64-bit value.
typedef struct ServicePointerValueQueryBlock {
  const void* object;
  int64_t value;
  int32_t answer;
} ServicePointerValueQueryBlock;

// Two integers and a byte; which are inputs depends on the service.
typedef struct ServiceIntPairByteBlock {
  int32_t first;
  int32_t second;
  uint8_t flag;
} ServiceIntPairByteBlock;

HOST_PIN_OFFSET(ServiceIntBlock, value, 0);
HOST_PIN_SIZE(ServiceIntBlock, 4);
HOST_PIN_OFFSET(ServiceByteBlock, value, 0);
HOST_PIN_SIZE(ServiceByteBlock, 1);
HOST_PIN_OFFSET(ServiceDoubleBlock, value, 0);
HOST_PIN_SIZE(ServiceDoubleBlock, 8);
HOST_PIN_OFFSET(ServicePointerBlock, value, 0);
HOST_PIN_SIZE(ServicePointerBlock, 8);
HOST_PIN_OFFSET(ServicePointerQueryBlock, object, 0);
HOST_PIN_OFFSET(ServicePointerQueryBlock, answer, 8);
HOST_PIN_SIZE(ServicePointerQueryBlock, 16);
HOST_PIN_OFFSET(ServicePointerValueQueryBlock, object, 0);
HOST_PIN_OFFSET(ServicePointerValueQueryBlock, value, 8);
HOST_PIN_OFFSET(ServicePointerValueQueryBlock, answer, 16);
HOST_PIN_SIZE(ServicePointerValueQueryBlock, 24);
HOST_PIN_OFFSET(ServiceIntPairByteBlock, first, 0);
HOST_PIN_OFFSET(ServiceIntPairByteBlock, second, 4);
HOST_PIN_OFFSET(ServiceIntPairByteBlock, flag, 8);
HOST_PIN_SIZE(ServiceIntPairByteBlock, 12);

#ifdef __cplusplus
}
#endif
