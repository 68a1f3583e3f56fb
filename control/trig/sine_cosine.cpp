#include "sine_cosine.h"

SineCosine largeSineCosine(float phi, bool& careful) {
  const float magnitude = magnitudeOf(phi);
  if (!(magnitude <= 0x1.fffffep127f)) {  // inf or NaN: NaN, as x - x gives it
    careful = false;
    const double x = static_cast<double>(phi);
    const float nan = static_cast<float>(x - x);
    return {nan, nan};
  }
  const ReducedAngle a = reduceAngleExactly(magnitude);
  double sinA = fastSin(a.r.hi, a.r.lo), cosA = fastCos(a.r.hi);
  placeInQuadrant(static_cast<std::uint64_t>(a.quadrant), sinA, cosA);
  return roundToSingles(phi, sinA, cosA, careful);
}

SineCosine accurateSineCosine(float phi) {
  const float magnitude = magnitudeOf(phi);
  if (!(magnitude <= 0x1.fffffep127f)) {  // inf or NaN: NaN, as x - x gives it
    const double x = static_cast<double>(phi);
    const float nan = static_cast<float>(x - x);
    return {nan, nan};
  }
  const ReducedAngle a = magnitude < kQuarterPi
                             ? ReducedAngle{0, {static_cast<double>(magnitude), 0.0}}
                             : reduceAngleExactly(magnitude);
  // hi of a normalised double-double is its sum rounded to double.
  const double s = accurateSin(a.r).hi;
  const double c = accurateCos(a.r).hi;
  double sinA = s, cosA = c;
  switch (a.quadrant) {
    case 0: break;
    case 1: sinA = c; cosA = -s; break;
    case 2: sinA = -s; cosA = -c; break;
    default: sinA = -c; cosA = s; break;
  }
  const float sinRounded = static_cast<float>(sinA);
  return {static_cast<float>(cosA), isNegative(phi) ? -sinRounded : sinRounded};
}

void sineCosineEachOf(float phi1, float phi2, SineCosine& r1, SineCosine& r2) {
  r1 = sineCosineOf(phi1);
  r2 = sineCosineOf(phi2);
}
