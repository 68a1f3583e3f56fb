#pragma once

// dq cross-coupling feed-forward from the current references and the measured speed;
// the speed is doubled for the two pole pairs, as the rotating frame's angle is.
inline void decouplingTerms(float idRef, float iqRef, float omega, float r, float ld, float lq,
                            float psi, float vdqFf[2]) {
  const float w = omega + omega;
  vdqFf[0] = r * idRef - (lq * w) * iqRef;
  vdqFf[1] = (idRef * ld + psi) * w + r * iqRef;
}
