#pragma once

#include "parameters.h"
#include "trig/sine_cosine.h"

// Phase (a, b, c) <-> stationary (alpha, beta) <-> rotating (d, q) frames. The gains
// are the rounded literals the controller was tuned with (0.6667, 0.5774, 0.866), not
// 2/3, 1/sqrt(3) and sqrt(3)/2, and mixed single/double steps are deliberate.

inline constexpr double kClarkeAlphaGain = static_cast<double>(0.6667f);
inline constexpr float kClarkeBetaGain = 0.5774f;
inline constexpr float kInverseClarkeBetaGain = 0.866f;
static_assert(bitsOf(kClarkeAlphaGain) == 0x3FE5559B40000000u);
static_assert(bitsOf(kClarkeBetaGain) == 0x3F13D07Du);
static_assert(bitsOf(kInverseClarkeBetaGain) == 0x3F5DB22Du);

inline void clarkeTransform(float a, float b, float c, float alphaBeta[2]) {
  alphaBeta[1] = (b - c) * kClarkeBetaGain;
  const double p = static_cast<double>(b) * 0.5;
  const double r = static_cast<double>(c) * 0.5;
  const double s = (static_cast<double>(a) - p) - r;
  alphaBeta[0] = static_cast<float>(s * kClarkeAlphaGain);
}

// b and c are -alpha/2 +- k summed in double and rounded to single. Unless alpha is so
// small that halving it loses a bit, -alpha/2 is a single too, and a sum of two singles
// rounded to double and then to single is their sum rounded to single: single
// arithmetic gives the same bits in fewer steps.
inline void inverseClarkeTransform(float alpha, float beta, float abc[3]) {
  const float k = beta * kInverseClarkeBetaGain;
  abc[0] = alpha;
  if (!(magnitudeOf(alpha) < 0x1p-125f)) [[likely]] {
    const float h = alpha * -0.5f;
    abc[1] = h + k;
    abc[2] = h - k;
    return;
  }
  const double h = static_cast<double>(alpha) * -0.5;
  abc[1] = static_cast<float>(h + static_cast<double>(k));
  abc[2] = static_cast<float>(h - static_cast<double>(k));
}

// The rotating frame turns at twice the angle input (two pole pairs). Both transforms
// of a channel step use the same angle, so the channel evaluates the rotation once.
struct Rotation {
  float cosPhi;
  float sinPhi;
};

// cos and sin of phi = theta + theta (a single), each in double rounded to single.
inline Rotation rotationOf(float theta) {
  const SineCosine r = sineCosineOf(theta + theta);
  return {r.cosPhi, r.sinPhi};
}

// Both motors' rotations in one pass.
[[gnu::always_inline]] inline void rotationsOf(float theta1, float theta2, Rotation& rotation1,
                                                Rotation& rotation2) {
  SineCosine r1, r2;
  sineCosinePairOfHalves(theta1, theta2, r1, r2);
  rotation1 = {r1.cosPhi, r1.sinPhi};
  rotation2 = {r2.cosPhi, r2.sinPhi};
}

inline void parkRotate(float alpha, float beta, Rotation r, float dq[2]) {
  dq[0] = r.cosPhi * alpha + r.sinPhi * beta;
  dq[1] = r.cosPhi * beta - r.sinPhi * alpha;
}

inline void inverseParkRotate(float d, float q, Rotation r, float alphaBeta[2]) {
  alphaBeta[0] = r.cosPhi * d - r.sinPhi * q;
  alphaBeta[1] = r.sinPhi * d + r.cosPhi * q;
}
