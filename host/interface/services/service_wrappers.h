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
// take none and pass 0. Services of one shape are told apart by their service id, the
// number the host knows them by, at the end of the name.
//
// The services are listed as tables, one row per service: name, id, preset. The tables
// both declare the functions here and define them in service_wrappers.cpp.

#include <stdint.h>

#include "block_record.h"

// int32_t name(SimStruct* block, int32_t index)
#define HOST_SERVICE_INDEXED_INT_READS(X) \
  X(readIndexedInt20, 20, 0)               \
  X(readIndexedInt181, 181, 0)              \
  X(readIndexedInt185, 185, 0)              \
  X(readIndexedInt194, 194, -1)             \
  X(readIndexedInt200, 200, 0)              \
  X(readIndexedInt306, 306, 0)              \
  X(readIndexedInt315, 315, 0)              \
  X(readIndexedInt319, 319, 0)

// int32_t name(SimStruct* block, int32_t index, int32_t value)
#define HOST_SERVICE_INDEXED_INT_SETS(X) \
  X(setIndexedInt180, 180)                 \
  X(setIndexedInt184, 184)                 \
  X(setIndexedInt313, 313)                 \
  X(setIndexedInt316, 316)                 \
  X(setIndexedInt317, 317)                 \
  X(setIndexedInt320, 320)                 \
  X(setIndexedInt322, 322)

// The byte read widened without sign: int32_t name(SimStruct* block, int32_t index)
#define HOST_SERVICE_INDEXED_BYTE_READS(X) \
  X(readIndexedByte183, 183, 63)             \
  X(readIndexedByte189, 189, 0)

// int32_t name(SimStruct* block, int32_t index, uint8_t value)
#define HOST_SERVICE_INDEXED_BYTE_SETS(X) \
  X(setIndexedByte176, 176)                 \
  X(setIndexedByte182, 182)                 \
  X(setIndexedByte188, 188)

// double name(SimStruct* block, int32_t index)
#define HOST_SERVICE_INDEXED_DOUBLE_READS(X) X(readIndexedDouble, 187, -1.0)

// int32_t name(SimStruct* block, int32_t index, double value)
#define HOST_SERVICE_INDEXED_DOUBLE_SETS(X) X(setIndexedDouble, 186)

// void* name(SimStruct* block, int32_t index), null without an entry
#define HOST_SERVICE_INDEXED_POINTER_READS(X) \
  X(readIndexedPointer102, 102)                 \
  X(readIndexedPointer179, 179)                 \
  X(readIndexedPointer191, 191)                 \
  X(readIndexedPointer311, 311)

// int32_t name(SimStruct* block)
#define HOST_SERVICE_HOST_INT_READS(X) \
  X(readHostInt177, 177, -1)             \
  X(readHostInt190, 190, 0)

// int32_t name(SimStruct* block), the byte widened without sign
#define HOST_SERVICE_HOST_BYTE_READS(X) \
  X(readHostByte226, 226, 0)              \
  X(readHostByte324, 324, 0)

// double name(SimStruct* block)
#define HOST_SERVICE_HOST_DOUBLE_READS(X) X(readHostDouble, 21, 0.0)

// int32_t name(SimStruct* block, int32_t index, int32_t value): the int block holds the
// value and receives the host's.
#define HOST_SERVICE_INDEXED_INT_OFFERS(X) \
  X(offerIndexedInt307, 307)                 \
  X(offerIndexedInt308, 308)                 \
  X(offerIndexedInt309, 309)                 \
  X(offerIndexedInt310, 310)

// int32_t name(SimStruct* block, int32_t first, int32_t second): both go into the
// two-integers-and-a-byte block, the byte receives the answer; integer argument 0.
#define HOST_SERVICE_INT_PAIR_TESTS(X) \
  X(testIntPair175, 175)                 \
  X(testIntPair193, 193)

// int32_t name(SimStruct* block, const void* object): the pointer query block.
#define HOST_SERVICE_OBJECT_ASKS(X) \
  X(askAboutObject303, 303)           \
  X(askAboutObject305, 305)

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
