#include "fp_control.h"

std::uint32_t floatingPointControl() {
  std::uint64_t fpcr = 0;
  asm volatile("mrs %0, fpcr" : "=r"(fpcr));
  return static_cast<std::uint32_t>(fpcr);
}
