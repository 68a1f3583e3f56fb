// The output step as the replay and simulation loops make it: the loop's port buffers
// serve as the host record's, so nothing is copied in or out, and a step through the
// output slot or through host flag 104 allocates nothing. Every allocation through
// operator new in this program is counted.
#include <atomic>
#include <cmath>
#include <cstdlib>
#include <new>

#include "block_step.h"
#include "loader/installed_block.h"
#include "module_fixture.h"

namespace {
std::atomic<long> allocations{0};
}  // namespace

void* operator new(std::size_t size) {
  ++allocations;
  void* memory = std::malloc(size != 0 ? size : 1);
  if (memory == nullptr) std::abort();
  return memory;
}
// Every form that the program's code or the host's runtime may use, so that each
// allocation is counted and released by its own pair.
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
  ++allocations;
  return std::malloc(size != 0 ? size : 1);
}
void* operator new[](std::size_t size) { return operator new(size); }
void* operator new[](std::size_t size, const std::nothrow_t& tag) noexcept {
  return operator new(size, tag);
}
void operator delete(void* memory) noexcept { std::free(memory); }
void operator delete(void* memory, std::size_t) noexcept { std::free(memory); }
void operator delete(void* memory, const std::nothrow_t&) noexcept { std::free(memory); }
void operator delete[](void* memory) noexcept { std::free(memory); }
void operator delete[](void* memory, std::size_t) noexcept { std::free(memory); }
void operator delete[](void* memory, const std::nothrow_t&) noexcept { std::free(memory); }

namespace substitute_host {
namespace {

TEST(InstalledBlockStep, TheLoopsBuffersAreThePortBuffersAndAStepAllocatesNothing) {
  InstalledBlock installed;
  std::string error;
  ASSERT_TRUE(installed.open(moduleUnderTest(), error)) << error;
  PortRow ports;
  ports.inputs[10] = 400.0f;  // udc: the outputs are numbers
  for (float& value : ports.outputs) value = std::nanf("");

  InstalledBlock::stepThroughSlot(&installed, ports.inputPorts, ports.outputPorts);
  for (float value : ports.outputs) EXPECT_FALSE(std::isnan(value));
  SimStruct* record = installed.block().record();
  for (int port = 0; port < 9; ++port) EXPECT_EQ(record->inputPorts[port].signal, ports.inputPorts[port]);
  EXPECT_EQ(record->outputPorts[0].signal, ports.outputs);
  EXPECT_EQ(record->outputPorts[1].signal, ports.outputs + 3);

  const long before = allocations;
  for (int step = 0; step < 100; ++step) {
    InstalledBlock::stepThroughSlot(&installed, ports.inputPorts, ports.outputPorts);
    InstalledBlock::stepThroughFlag(&installed, ports.inputPorts, ports.outputPorts);
  }
  EXPECT_EQ(allocations - before, 0);
  EXPECT_EQ(record->errorStatus, nullptr);
}

}  // namespace
}  // namespace substitute_host
