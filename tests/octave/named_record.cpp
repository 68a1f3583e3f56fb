#include "named_record.h"

#include "block_record.h"

void* namedRecord(void* (*allocate)(std::size_t count, std::size_t size), const char* name) {
  auto* record = static_cast<SimStruct*>(allocate(1, sizeof(SimStruct)));
  record->root = record;
  record->name = name;
  record->modelName = name;
  return record;
}
