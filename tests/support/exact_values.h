#pragma once

#include <bit>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include <gtest/gtest.h>

// Expected values are written as decimal literals of nine significant digits, which
// name one single exactly; they are compared by bit pattern, never with a tolerance.
inline float singleOf(const char* literal) { return std::strtof(literal, nullptr); }

inline ::testing::AssertionResult isSingle(float actual, const char* expected) {
  const float want = singleOf(expected);
  if (std::bit_cast<std::uint32_t>(actual) == std::bit_cast<std::uint32_t>(want))
    return ::testing::AssertionSuccess();
  char text[160];
  std::snprintf(text, sizeof text, "got %.9g (0x%08X), want %s (0x%08X)",
                static_cast<double>(actual), std::bit_cast<std::uint32_t>(actual), expected,
                std::bit_cast<std::uint32_t>(want));
  return ::testing::AssertionFailure() << text;
}

// For values quoted to six significant digits: the single must print as that text.
inline ::testing::AssertionResult printsAs(float actual, const char* expected) {
  char text[64];
  std::snprintf(text, sizeof text, "%.6g", static_cast<double>(actual));
  if (std::string(text) == expected) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << "got " << text << ", want " << expected;
}

inline bool sameBits(float a, float b) {
  return std::bit_cast<std::uint32_t>(a) == std::bit_cast<std::uint32_t>(b);
}
