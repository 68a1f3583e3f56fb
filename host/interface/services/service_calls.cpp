#include "service_calls.h"

HostServiceEntry hostServiceEntry(SimStruct* block) {
  return block->modelInfo != nullptr ? block->modelInfo->service : nullptr;
}

int32_t callHostService(SimStruct* block, int32_t serviceId, int32_t argument,
                        void* argumentBlock, int32_t absent) {
  HostServiceEntry entry = hostServiceEntry(block);
  if (entry == nullptr) return absent;
  return entry(block, serviceId, argument, argumentBlock);
}

int32_t serviceGetInt(SimStruct* block, int32_t serviceId, int32_t argument, int32_t preset) {
  ServiceIntBlock answer{preset};
  callHostService(block, serviceId, argument, &answer, 0);
  return answer.value;
}

int32_t serviceGetByte(SimStruct* block, int32_t serviceId, int32_t argument, uint8_t preset) {
  ServiceByteBlock answer{preset};
  callHostService(block, serviceId, argument, &answer, 0);
  return answer.value;
}

double serviceGetDouble(SimStruct* block, int32_t serviceId, int32_t argument, double preset) {
  ServiceDoubleBlock answer{preset};
  callHostService(block, serviceId, argument, &answer, 0);
  return answer.value;
}

void* serviceGetPointer(SimStruct* block, int32_t serviceId, int32_t argument) {
  ServicePointerBlock answer{nullptr};
  callHostService(block, serviceId, argument, &answer, 0);
  return answer.value;
}

int32_t serviceSetInt(SimStruct* block, int32_t serviceId, int32_t index, int32_t value) {
  ServiceIntBlock input{value};
  return callHostService(block, serviceId, index, &input, 0);
}

int32_t serviceSetByte(SimStruct* block, int32_t serviceId, int32_t index, uint8_t value) {
  ServiceByteBlock input{value};
  return callHostService(block, serviceId, index, &input, 0);
}

int32_t serviceSetDouble(SimStruct* block, int32_t serviceId, int32_t index, double value) {
  ServiceDoubleBlock input{value};
  return callHostService(block, serviceId, index, &input, 0);
}
