// Linked only into the runner that checks the refusal: switches flush-to-zero on before
// main, as a firmware that set it would, so the runner must refuse to step.
#include <cstdint>

[[gnu::constructor]] static void setFlushToZero() {
  std::uint64_t fpcr = 0;
  asm volatile("mrs %0, fpcr" : "=r"(fpcr));
  fpcr |= std::uint64_t{1} << 24;
  asm volatile("msr fpcr, %0" : : "r"(fpcr));
}
