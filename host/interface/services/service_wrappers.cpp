#include "service_wrappers.h"

#include "service_calls.h"

// Every table row becomes a one-line function on its shape's call form.

#define DEFINE_INDEXED_INT_READ(name, id, preset) \
  int32_t name(SimStruct* block, int32_t index) { return serviceGetInt(block, id, index, preset); }
#define DEFINE_INDEXED_BYTE_READ(name, id, preset) \
  int32_t name(SimStruct* block, int32_t index) { return serviceGetByte(block, id, index, preset); }
#define DEFINE_INDEXED_DOUBLE_READ(name, id, preset)                      \
  double name(SimStruct* block, int32_t index) {                          \
    return serviceGetDouble(block, id, index, preset);                    \
  }
#define DEFINE_INDEXED_POINTER_READ(name, id) \
  void* name(SimStruct* block, int32_t index) { return serviceGetPointer(block, id, index); }
#define DEFINE_HOST_INT_READ(name, id, preset) \
  int32_t name(SimStruct* block) { return serviceGetInt(block, id, 0, preset); }
#define DEFINE_HOST_BYTE_READ(name, id, preset) \
  int32_t name(SimStruct* block) { return serviceGetByte(block, id, 0, preset); }
#define DEFINE_HOST_DOUBLE_READ(name, id, preset) \
  double name(SimStruct* block) { return serviceGetDouble(block, id, 0, preset); }
#define DEFINE_INDEXED_SET(name, id, type, form)             \
  int32_t name(SimStruct* block, int32_t index, type value) { \
    return form(block, id, index, value);                    \
  }
#define DEFINE_INDEXED_INT_SET(name, id) DEFINE_INDEXED_SET(name, id, int32_t, serviceSetInt)
#define DEFINE_INDEXED_BYTE_SET(name, id) DEFINE_INDEXED_SET(name, id, uint8_t, serviceSetByte)
#define DEFINE_INDEXED_DOUBLE_SET(name, id) DEFINE_INDEXED_SET(name, id, double, serviceSetDouble)
#define DEFINE_INDEXED_INT_OFFER(name, id)                           \
  int32_t name(SimStruct* block, int32_t index, int32_t value) {     \
    return serviceGetInt(block, id, index, value);                   \
  }
#define DEFINE_INT_PAIR_TEST(name, id)                                 \
  int32_t name(SimStruct* block, int32_t first, int32_t second) {      \
    return testIntPair(block, id, first, second);                      \
  }
#define DEFINE_OBJECT_ASK(name, id) \
  int32_t name(SimStruct* block, const void* object) { return askAboutObject(block, id, object); }

namespace {

int32_t testIntPair(SimStruct* block, int32_t serviceId, int32_t first, int32_t second) {
  ServiceIntPairByteBlock question{first, second, 0};
  callHostService(block, serviceId, 0, &question, 0);
  return question.flag;
}

int32_t askAboutObject(SimStruct* block, int32_t serviceId, const void* object) {
  ServicePointerQueryBlock question{object, 0};
  callHostService(block, serviceId, 0, &question, 0);
  return question.answer;
}

}  // namespace

HOST_SERVICE_INDEXED_INT_READS(DEFINE_INDEXED_INT_READ)
HOST_SERVICE_INDEXED_INT_SETS(DEFINE_INDEXED_INT_SET)
HOST_SERVICE_INDEXED_BYTE_READS(DEFINE_INDEXED_BYTE_READ)
HOST_SERVICE_INDEXED_BYTE_SETS(DEFINE_INDEXED_BYTE_SET)
HOST_SERVICE_INDEXED_DOUBLE_READS(DEFINE_INDEXED_DOUBLE_READ)
HOST_SERVICE_INDEXED_DOUBLE_SETS(DEFINE_INDEXED_DOUBLE_SET)
HOST_SERVICE_INDEXED_POINTER_READS(DEFINE_INDEXED_POINTER_READ)
HOST_SERVICE_HOST_INT_READS(DEFINE_HOST_INT_READ)
HOST_SERVICE_HOST_BYTE_READS(DEFINE_HOST_BYTE_READ)
HOST_SERVICE_HOST_DOUBLE_READS(DEFINE_HOST_DOUBLE_READ)
HOST_SERVICE_INDEXED_INT_OFFERS(DEFINE_INDEXED_INT_OFFER)
HOST_SERVICE_INT_PAIR_TESTS(DEFINE_INT_PAIR_TEST)
HOST_SERVICE_OBJECT_ASKS(DEFINE_OBJECT_ASK)

int32_t offerIndexedIntValueFirst(SimStruct* block, int32_t value, int32_t index) {
  return serviceGetInt(block, 312, index, value);
}

int32_t setIndexedIntWithFlag(SimStruct* block, int32_t index, int32_t value, uint8_t flag) {
  ServiceIntPairByteBlock input{index, value, flag};
  return callHostService(block, 192, index, &input, 0);
}

int32_t handRecordAtIndex(SimStruct* block, int32_t index, void* record) {
  return callHostService(block, 178, index, record, 0);
}

int32_t notifyHostFlag(SimStruct* block, uint8_t flag) {
  return callHostService(block, 302, flag, nullptr, 0);
}

int32_t askAboutObjectWithValue(SimStruct* block, const void* object, int64_t value) {
  ServicePointerValueQueryBlock question{object, value, 0};
  callHostService(block, 304, 0, &question, 0);
  return question.answer;
}
