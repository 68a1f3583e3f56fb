#include "tangent.h"

#include "trig_series.h"

const DoubleDouble kTangentTable[27] = {
    {0.0, 0.0},
    {0x1.00155777aec08p-5, 0x1.5f48b25fa0262p-59},
    {0x1.005577854df01p-4, -0x1.f35b10671bea1p-58},
    {0x1.8121042019d39p-4, 0x1.e53de54163d36p-58},
    {0x1.01577af1511a5p-3, -0x1.fba60a478d2b0p-59},
    {0x1.42a13df7bb968p-3, -0x1.981948de81ac0p-57},
    {0x1.84906f1132568p-3, 0x1.20efcd2f809c3p-60},
    {0x1.c7490a1d1e12dp-3, 0x1.d2fc0e48d3694p-58},
    {0x1.05785a43c4c56p-2, -0x1.9c6bfe7769a3dp-58},
    {0x1.27d78b40b7704p-2, 0x1.f391de0df335dp-56},
    {0x1.4ad71ed51ce39p-2, -0x1.b8c42b22fff4bp-56},
    {0x1.6e8d85a6493e1p-2, -0x1.80e8ea578b238p-56},
    {0x1.9312d859bf8b0p-2, -0x1.de9ddeb7d4180p-57},
    {0x1.b8811e4d009c3p-2, -0x1.2f8192327ea6bp-58},
    {0x1.def49eaab37a1p-2, 0x1.1e48c7a265428p-56},
    {0x1.03461f08a685dp-1, -0x1.71d22a449a2eap-55},
    {0x1.17b4f5bf3474ap-1, 0x1.0c5e59201e209p-55},
    {0x1.2cd98fea0ab88p-1, 0x1.bf004c33955cbp-57},
    {0x1.42c8ba0e9537ap-1, -0x1.1817d3747956ap-56},
    {0x1.5999a9e0f5129p-1, -0x1.ebf504ca1c5d4p-56},
    {0x1.7166689d41ef0p-1, -0x1.f44ffce65ed2bp-55},
    {0x1.8a4c52ca75a77p-1, 0x1.4d66e6bea4d61p-55},
    {0x1.a46cb2be6a0b2p-1, -0x1.29a64ecb1df2ep-56},
    {0x1.bfed7cca66b49p-1, 0x1.8d237cd4d9245p-55},
    {0x1.dcfa36110eeecp-1, -0x1.f3cf665127fd2p-57},
    {0x1.fbc511df5917fp-1, 0x1.4e6ef3dde2f07p-55},
    {0x1.0e442aa4c1ea0p+0, -0x1.1f90dd92d21f9p-55},
};

double accurateTangent(float delta) {
  const float magnitude = magnitudeOf(delta);
  const double x = static_cast<double>(delta);
  if (!(magnitude <= 0x1.fffffep127f)) return x - x;  // inf or NaN: NaN
  const ReducedAngle a = magnitude < kQuarterPi
                             ? ReducedAngle{0, {static_cast<double>(magnitude), 0.0}}
                             : reduceAngleExactly(magnitude);
  const DoubleDouble s = accurateSin(a.r);
  const DoubleDouble c = accurateCos(a.r);
  const double t = (a.quadrant & 1u) != 0 ? -ddDiv(c, s).hi : ddDiv(s, c).hi;
  return isNegative(delta) ? -t : t;
}
