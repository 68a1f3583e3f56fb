// Linked only into the runner that checks the refusal: switches flush-to-zero on before
// main, as a program that set it would, so the runner must refuse to step.
#include <cstdint>

[[gnu::constructor]] static void setFlushToZero() {
  std::uint32_t mxcsr = 0;
  asm volatile("stmxcsr %0" : "=m"(mxcsr));
  mxcsr |= std::uint32_t{1} << 15;
  asm volatile("ldmxcsr %0" : : "m"(mxcsr));
}
