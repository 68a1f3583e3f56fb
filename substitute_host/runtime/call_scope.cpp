// mxCalloc and the call scope: what the matrix library hands out during a gateway call
// belongs to that call and is reclaimed when it returns.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <utility>

#include "array_record.h"

namespace substitute_host {
namespace {

CallScope* activeScope = nullptr;
std::size_t outstandingBytes = 0;

struct CallocHeader {
  std::size_t bytes;
  std::max_align_t align;
};

void freeAllocation(void* memory) {
  auto* header = static_cast<CallocHeader*>(memory) - 1;
  outstandingBytes -= header->bytes;
  std::free(header);
}

// mxCalloc memory handed out while no gateway call runs: the host keeps it until it
// exits, then frees it.
struct HostLifetimeAllocations {
  std::vector<void*> memory;
  ~HostLifetimeAllocations() {
    for (void* allocation : memory) freeAllocation(allocation);
  }
} hostLifetimeAllocations;

}  // namespace

CallScope* enterCallScope(CallScope* scope) { return std::exchange(activeScope, scope); }

CallScope* currentCallScope() { return activeScope; }

void releaseCallScope(CallScope& scope) {
  for (void* memory : scope.allocations) freeAllocation(memory);
  for (mxArray* array : scope.arrays) destroyArray(array);
  scope = {};
}

std::size_t outstandingCallocBytes() { return outstandingBytes; }

}  // namespace substitute_host

using namespace substitute_host;

extern "C" {

// Null, as calloc, when count x size bytes (with the header) do not fit a size_t: the
// wrapped product would be a small block that the caller takes for a large one.
void* mxCalloc(size_t count, size_t size) {
  if (size != 0 && count > (SIZE_MAX - sizeof(CallocHeader)) / size) return nullptr;
  const std::size_t bytes = count * size;
  auto* header = static_cast<CallocHeader*>(std::calloc(1, sizeof(CallocHeader) + bytes));
  if (header == nullptr) return nullptr;
  header->bytes = bytes;
  outstandingBytes += bytes;
  void* memory = header + 1;
  (activeScope != nullptr ? activeScope->allocations : hostLifetimeAllocations.memory)
      .push_back(memory);
  return memory;
}

}  // extern "C"
