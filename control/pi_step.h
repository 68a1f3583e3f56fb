#pragma once

// One step of a clamped PI controller with conditional integration: while the output
// is clamped the integrator is frozen. The upper test comes first and both tests are
// strict, so a NaN output is never clamped and a NaN limit never clamps.
inline float piStep(float reference, float measurement, float kp, float ti, float lower,
                    float upper, float& integrator, float ts) {
  const float e = reference - measurement;
  const float u = e * kp + integrator;
  if (u > upper) return upper;
  if (lower > u) return lower;
  integrator = ((e * (kp / ti)) * ts) + integrator;
  return u;
}
