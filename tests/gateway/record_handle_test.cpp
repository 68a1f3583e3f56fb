// A handle that passes the three tests of a record handle but names no readable record
// is refused as a record of another name, with no name, and nothing is read or written
// through it; a host's record installs as before, however close its name lies to
// memory that cannot be read.
#include <cstring>

#include "module_fixture.h"
#include "runtime/host_arrays.h"

#if defined(_WIN32)
#include <windows.h>
#else
#include <sys/mman.h>
#endif

namespace substitute_host {
namespace {

constexpr std::size_t kPage = 4096;

// Two pages: the first readable and writable, the second never readable.
class GuardedPages {
 public:
  GuardedPages() {
#if defined(_WIN32)
    base_ = static_cast<char*>(VirtualAlloc(nullptr, 2 * kPage, MEM_RESERVE, PAGE_NOACCESS));
    if (base_ != nullptr) VirtualAlloc(base_, kPage, MEM_COMMIT, PAGE_READWRITE);
#else
    void* pages = mmap(nullptr, 2 * kPage, PROT_NONE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    base_ = pages == MAP_FAILED ? nullptr : static_cast<char*>(pages);
    if (base_ != nullptr) mprotect(base_, kPage, PROT_READ | PROT_WRITE);
#endif
  }
  ~GuardedPages() {
#if defined(_WIN32)
    if (base_ != nullptr) VirtualFree(base_, 0, MEM_RELEASE);
#else
    if (base_ != nullptr) munmap(base_, 2 * kPage);
#endif
  }
  char* readable() const { return base_; }
  char* unreadable() const { return base_ + kPage; }

 private:
  char* base_ = nullptr;
};

GatewayOutcome installByAddress(const PluginModule& module, const void* address) {
  return installByHandle(module, recordHandle(static_cast<const SimStruct*>(address)));
}

void expectRefusedWithoutName(const GatewayOutcome& outcome) {
  EXPECT_TRUE(outcome.raisedError);
  EXPECT_EQ(outcome.errorId, "Simulink:SFunctions:SimStructSFunctionNameMismatch");
  EXPECT_EQ(outcome.errorArguments,
            (std::vector<ErrorArgument>{std::string("Corvalent2"), std::string("")}));
  EXPECT_TRUE(outcome.results.empty());
}

TEST_F(ModuleTest, HandleOfUnreadableMemoryIsRefused) {
  GuardedPages pages;
  ASSERT_NE(pages.readable(), nullptr);
  expectRefusedWithoutName(installByAddress(module, pages.unreadable()));
  // A record that starts readable and runs into the unreadable page.
  expectRefusedWithoutName(installByAddress(module, pages.unreadable() - 16));
  // What the command line can type: low and high halves of 1 and 2.
  OwnedArray empty = makeDoubleMatrix(0, 0), flag = makeDoubleMatrix(1, 1, {0.0});
  OwnedArray typed = makeDoubleMatrix(3, 1, {1.0, 2.0, 8480229.0});
  expectRefusedWithoutName(callWith(module, 1, {empty.get(), typed.get(), empty.get(), flag.get()}));
}

TEST_F(ModuleTest, RecordWhoseNameCannotBeReadIsRefused) {
  GuardedPages pages;
  ASSERT_NE(pages.readable(), nullptr);
  RecordingHostBlock block;
  block.record()->name = pages.unreadable();
  expectRefusedWithoutName(installBlock(module, block));
  EXPECT_EQ(block.record()->methods.outputs, nullptr);
  // A name without a terminator before the unreadable page.
  std::memset(pages.readable(), 'C', kPage);
  block.record()->name = pages.readable();
  expectRefusedWithoutName(installBlock(module, block));
}

TEST_F(ModuleTest, NameEndingRightBeforeUnreadableMemoryInstalls) {
  GuardedPages pages;
  ASSERT_NE(pages.readable(), nullptr);
  char* name = pages.unreadable() - sizeof "Corvalent2";
  std::memcpy(name, "Corvalent2", sizeof "Corvalent2");
  RecordingHostBlock block;
  block.record()->name = name;
  const GatewayOutcome outcome = installBlock(module, block);
  EXPECT_FALSE(outcome.raisedError);
  EXPECT_NE(block.record()->methods.outputs, nullptr);
  // A shorter name there is refused by its own name.
  std::memcpy(pages.unreadable() - sizeof "Corv", "Corv", sizeof "Corv");
  RecordingHostBlock other;
  other.record()->name = pages.unreadable() - sizeof "Corv";
  EXPECT_EQ(installBlock(module, other).errorArguments,
            (std::vector<ErrorArgument>{std::string("Corvalent2"), std::string("Corv")}));
}

}  // namespace
}  // namespace substitute_host
