#include <cstdint>

#include "fp_control.h"

// The reference build on the development machine. x86-64 keeps its mode in MXCSR, where
// flush-to-zero is bit 15 and denormals-are-zero bit 6; either one is reported as
// flush-to-zero. It has no default-NaN mode.
std::uint32_t floatingPointControl() {
  std::uint32_t mxcsr = 0;
  asm volatile("stmxcsr %0" : "=m"(mxcsr));
  const bool flushes = (mxcsr & ((std::uint32_t{1} << 15) | (std::uint32_t{1} << 6))) != 0;
  return flushes ? kFlushToZeroBit : 0;
}
