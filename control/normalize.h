#pragma once

// Phase voltages as fractions of half the DC link: three true divisions, not a
// multiplication by a reciprocal, so each result is the correctly rounded quotient.
inline void normalizeByHalfDc(float a, float b, float c, float udc, float abcNorm[3]) {
  const float h = udc * 0.5f;
  abcNorm[0] = a / h;
  abcNorm[1] = b / h;
  abcNorm[2] = c / h;
}
