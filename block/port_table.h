#pragma once

#include <stdint.h>

// The block's fixed shape: nine single-precision inputs, two outputs of three.
inline constexpr int32_t kInputPortCount = 9;
inline constexpr int32_t kOutputPortCount = 2;
inline constexpr int32_t kInputPortWidths[kInputPortCount] = {3, 1, 1, 3, 1, 1, 1, 1, 1};
inline constexpr int32_t kOutputPortWidth = 3;
inline constexpr int32_t kDataTypeDouble = 0;
inline constexpr int32_t kDataTypeSingle = 1;
inline constexpr uint32_t kDeclaredOptions = 0x20080002u;
