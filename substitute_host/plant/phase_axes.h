#pragma once

#include <numbers>

namespace substitute_host::plant {

// Amplitude-invariant three-phase <-> two-axis transforms in double precision, with
// the rotation convention the controller uses: d = cos(phi)*alpha + sin(phi)*beta,
// q = cos(phi)*beta - sin(phi)*alpha, phi the electrical angle.

struct AlphaBeta {
  double alpha;
  double beta;
};

// In the rotor frame; the plant works out both motors' at once (DqOf<Pair>).
template <class T>
struct DqOf {
  T d;
  T q;
};
using Dq = DqOf<double>;

struct Abc {
  double a;
  double b;
  double c;
};

inline constexpr double kSqrt3 = 1.7320508075688772;
inline constexpr double kInvSqrt3 = std::numbers::inv_sqrt3;

// Multiplied by the reciprocal rather than divided: every control step turns the
// controller's outputs through it before the plant can go on.
inline AlphaBeta clarke(double a, double b, double c) {
  return {(2.0 / 3.0) * (a - 0.5 * b - 0.5 * c), (b - c) * kInvSqrt3};
}

inline Abc inverseClarke(AlphaBeta v) {
  const double h = -0.5 * v.alpha;
  const double k = 0.5 * kSqrt3 * v.beta;
  return {v.alpha, h + k, h - k};
}

// cosPhi and sinPhi are passed in because the caller usually has them already.
inline Dq park(AlphaBeta v, double cosPhi, double sinPhi) {
  return {cosPhi * v.alpha + sinPhi * v.beta, cosPhi * v.beta - sinPhi * v.alpha};
}

inline AlphaBeta inversePark(Dq v, double cosPhi, double sinPhi) {
  return {cosPhi * v.d - sinPhi * v.q, sinPhi * v.d + cosPhi * v.q};
}

}  // namespace substitute_host::plant
