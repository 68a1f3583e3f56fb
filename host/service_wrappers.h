#pragma once

// The host services the plug-in can reach through the generic service entry, one
// function each, built on the call forms of service_calls.h.
//
// What the host does with each service is its own business; the names say what a
// service exchanges and in which direction:
//   read...   asks for a value; answers the preset when the host offers no entry
//   set...    hands a value over; answers the entry's result (0 without an entry)
//   offer...  hands a value the host may replace; answers the value the host leaves
//             (the value itself without an entry)
//   test...   hands two integers; answers the host's byte (0 without an entry)
//   ask...    hands an object's address; answers the host's integer (0 without an entry)
//   notify... / hand...  see below
// "Indexed" services take an index, passed on as the integer argument; "Host" services
// take none and pass 0. Services of one shape are told apart by a letter in the order of
// their ids; a setter shares its letter with the reader whose id follows its own, the two
// sides of one value kept by the host.
//
// The services are listed as tables, one row per service: name, id, preset. The tables
// both declare the functions here and define them in service_wrappers.cpp.

#include <stdint.h>

#include "block_record.h"

// int32_t name(SimStruct* block, int32_t index)
#define HOST_SERVICE_INDEXED_INT_READS(X) \
  X(readIndexedIntA, 20, 0)               \
  X(readIndexedIntB, 181, 0)              \
  X(readIndexedIntC, 185, 0)              \
  X(readIndexedIntD, 194, -1)             \
  X(readIndexedIntE, 200, 0)              \
  X(readIndexedIntF, 306, 0)              \
  X(readIndexedIntH, 315, 0)              \
  X(readIndexedIntK, 319, 0)

// int32_t name(SimStruct* block, int32_t index, int32_t value)
#define HOST_SERVICE_INDEXED_INT_SETS(X) \
  X(setIndexedIntB, 180)                 \
  X(setIndexedIntC, 184)                 \
  X(setIndexedIntG, 313)                 \
  X(setIndexedIntI, 316)                 \
  X(setIndexedIntJ, 317)                 \
  X(setIndexedIntL, 320)                 \
  X(setIndexedIntM, 322)

// The byte read widened without sign: int32_t name(SimStruct* block, int32_t index)
#define HOST_SERVICE_INDEXED_BYTE_READS(X) \
  X(readIndexedByteB, 183, 63)             \
  X(readIndexedByteC, 189, 0)

// int32_t name(SimStruct* block, int32_t index, uint8_t value)
#define HOST_SERVICE_INDEXED_BYTE_SETS(X) \
  X(setIndexedByteA, 176)                 \
  X(setIndexedByteB, 182)                 \
  X(setIndexedByteC, 188)

// double name(SimStruct* block, int32_t index)
#define HOST_SERVICE_INDEXED_DOUBLE_READS(X) X(readIndexedDouble, 187, -1.0)

// int32_t name(SimStruct* block, int32_t index, double value)
#define HOST_SERVICE_INDEXED_DOUBLE_SETS(X) X(setIndexedDouble, 186)

// void* name(SimStruct* block, int32_t index), null without an entry
#define HOST_SERVICE_INDEXED_POINTER_READS(X) \
  X(readIndexedPointerA, 102)                 \
  X(readIndexedPointerB, 179)                 \
  X(readIndexedPointerC, 191)                 \
  X(readIndexedPointerD, 311)

// int32_t name(SimStruct* block)
#define HOST_SERVICE_HOST_INT_READS(X) \
  X(readHostIntA, 177, -1)             \
  X(readHostIntB, 190, 0)

// int32_t name(SimStruct* block), the byte widened without sign
#define HOST_SERVICE_HOST_BYTE_READS(X) \
  X(readHostByteA, 226, 0)              \
  X(readHostByteB, 324, 0)

// double name(SimStruct* block)
#define HOST_SERVICE_HOST_DOUBLE_READS(X) X(readHostDouble, 21, 0.0)

// int32_t name(SimStruct* block, int32_t index, int32_t value): the int block holds the
// value and receives the host's.
#define HOST_SERVICE_INDEXED_INT_OFFERS(X) \
  X(offerIndexedIntA, 307)                 \
  X(offerIndexedIntB, 308)                 \
  X(offerIndexedIntC, 309)                 \
  X(offerIndexedIntD, 310)

// int32_t name(SimStruct* block, int32_t first, int32_t second): both go into the
// two-integers-and-a-byte block, the byte receives the answer; integer argument 0.
#define HOST_SERVICE_INT_PAIR_TESTS(X) \
  X(testIntPairA, 175)                 \
  X(testIntPairB, 193)

// int32_t name(SimStruct* block, const void* object): the pointer query block.
#define HOST_SERVICE_OBJECT_ASKS(X) \
  X(askAboutObjectA, 303)           \
  X(askAboutObjectB, 305)

#define HOST_SERVICE_DECLARE_INDEXED_INT_READ(name, id, preset) \
  int32_t name(SimStruct* block, int32_t index);
#define HOST_SERVICE_DECLARE_INDEXED_SET(name, id, type) \
  int32_t name(SimStruct* block, int32_t index, type value);
#define HOST_SERVICE_DECLARE_INDEXED_INT_SET(name, id) \
  HOST_SERVICE_DECLARE_INDEXED_SET(name, id, int32_t)
#define HOST_SERVICE_DECLARE_INDEXED_BYTE_SET(name, id) \
  HOST_SERVICE_DECLARE_INDEXED_SET(name, id, uint8_t)
#define HOST_SERVICE_DECLARE_INDEXED_DOUBLE_SET(name, id) \
  HOST_SERVICE_DECLARE_INDEXED_SET(name, id, double)
#define HOST_SERVICE_DECLARE_INDEXED_DOUBLE_READ(name, id, preset) \
  double name(SimStruct* block, int32_t index);
#define HOST_SERVICE_DECLARE_INDEXED_POINTER_READ(name, id) \
  void* name(SimStruct* block, int32_t index);
#define HOST_SERVICE_DECLARE_HOST_INT_READ(name, id, preset) int32_t name(SimStruct* block);
#define HOST_SERVICE_DECLARE_HOST_DOUBLE_READ(name, id, preset) double name(SimStruct* block);
#define HOST_SERVICE_DECLARE_INDEXED_INT_OFFER(name, id) \
  int32_t name(SimStruct* block, int32_t index, int32_t value);
#define HOST_SERVICE_DECLARE_INT_PAIR_TEST(name, id) \
  int32_t name(SimStruct* block, int32_t first, int32_t second);
#define HOST_SERVICE_DECLARE_OBJECT_ASK(name, id) \
  int32_t name(SimStruct* block, const void* object);

HOST_SERVICE_INDEXED_INT_READS(HOST_SERVICE_DECLARE_INDEXED_INT_READ)
HOST_SERVICE_INDEXED_INT_SETS(HOST_SERVICE_DECLARE_INDEXED_INT_SET)
HOST_SERVICE_INDEXED_BYTE_READS(HOST_SERVICE_DECLARE_INDEXED_INT_READ)
HOST_SERVICE_INDEXED_BYTE_SETS(HOST_SERVICE_DECLARE_INDEXED_BYTE_SET)
HOST_SERVICE_INDEXED_DOUBLE_READS(HOST_SERVICE_DECLARE_INDEXED_DOUBLE_READ)
HOST_SERVICE_INDEXED_DOUBLE_SETS(HOST_SERVICE_DECLARE_INDEXED_DOUBLE_SET)
HOST_SERVICE_INDEXED_POINTER_READS(HOST_SERVICE_DECLARE_INDEXED_POINTER_READ)
HOST_SERVICE_HOST_INT_READS(HOST_SERVICE_DECLARE_HOST_INT_READ)
HOST_SERVICE_HOST_BYTE_READS(HOST_SERVICE_DECLARE_HOST_INT_READ)
HOST_SERVICE_HOST_DOUBLE_READS(HOST_SERVICE_DECLARE_HOST_DOUBLE_READ)
HOST_SERVICE_INDEXED_INT_OFFERS(HOST_SERVICE_DECLARE_INDEXED_INT_OFFER)
HOST_SERVICE_INT_PAIR_TESTS(HOST_SERVICE_DECLARE_INT_PAIR_TEST)
HOST_SERVICE_OBJECT_ASKS(HOST_SERVICE_DECLARE_OBJECT_ASK)

// The services of a shape of their own.

// Service 312: as the offers, with the value before the index.
int32_t offerIndexedIntValueFirst(SimStruct* block, int32_t value, int32_t index);
// Service 192: index, value and flag, all inputs, in the two-integers-and-a-byte block.
int32_t setIndexedIntWithFlag(SimStruct* block, int32_t index, int32_t value, uint8_t flag);
// Service 178: the caller's own record is the argument block, for the host to keep or
// fill; it must stay valid as long as the host's use of it.
int32_t handRecordAtIndex(SimStruct* block, int32_t index, void* record);
// Service 302: the flag, widened without sign, is the integer argument; no block.
int32_t notifyHostFlag(SimStruct* block, uint8_t flag);
// Service 304: the pointer and value query block.
int32_t askAboutObjectWithValue(SimStruct* block, const void* object, int64_t value);
