#pragma once

// Sum of two axis voltages per axis, upper limit applied first and lower limit last:
// a NaN sum passes unchanged and a NaN limit has no effect on its side.
inline void addClampPair(float x0, float x1, float y0, float y1, float lower, float upper,
                         float z[2]) {
  const float s0 = x0 + y0;
  const float t0 = upper < s0 ? upper : s0;
  z[0] = lower > t0 ? lower : t0;
  const float s1 = x1 + y1;
  const float t1 = upper < s1 ? upper : s1;
  z[1] = lower > t1 ? lower : t1;
}

// a + b clamped to [-limit, limit] into element 1 of the pair; element 0 is the caller's.
inline void clampedSum(float a, float b, float limit, float pair[2]) {
  const float s = a + b;
  const float t = limit < s ? limit : s;
  pair[1] = -limit > t ? -limit : t;
}
