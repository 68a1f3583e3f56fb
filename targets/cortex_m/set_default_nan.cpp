// Linked only into the runner that checks the refusal: switches default-NaN on before
// main, as a firmware that set it would, so the runner must refuse to step.
#include <cstdint>

[[gnu::constructor]] static void setDefaultNan() {
  std::uint32_t fpscr = 0;
  asm volatile("vmrs %0, fpscr" : "=r"(fpscr));
  fpscr |= std::uint32_t{1} << 25;
  asm volatile("vmsr fpscr, %0" : : "r"(fpscr));
}
