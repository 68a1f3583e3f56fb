#pragma once

#include <cstdint>

// The floating-point control register of the processor the runner is built for (FPCR
// on AArch64, FPSCR on the Cortex-M FPU). Both keep flush-to-zero in bit 24 and
// default-NaN in bit 25; either one set changes the controller's results, so the runner
// refuses to start with them.
std::uint32_t floatingPointControl();

inline constexpr std::uint32_t kFlushToZeroBit = std::uint32_t{1} << 24;
inline constexpr std::uint32_t kDefaultNanBit = std::uint32_t{1} << 25;
