#include "fp_control.h"

std::uint32_t floatingPointControl() {
  std::uint32_t fpscr = 0;
  asm volatile("vmrs %0, fpscr" : "=r"(fpscr));
  return fpscr;
}
