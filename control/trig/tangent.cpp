#include "tangent.h"

#include "trig_series.h"

DoubleDouble reducedTangent(DoubleDouble r, bool odd) {
  const bool negative = r.hi < 0.0;
  if (negative) r = ddNegate(r);
  const TangentSplit s = splitTangent(r);
  const DoubleDouble tb = fastTwoSum(s.b, s.bTail);
  const DoubleDouble num = ddAdd(s.ta, tb);
  const DoubleDouble den = ddAdd({1.0, 0.0}, ddNegate(ddMul(s.ta, tb)));
  const DoubleDouble t = odd ? ddNegate(ddDiv(den, num)) : ddDiv(num, den);
  return negative ? ddNegate(t) : t;
}

double tangentOfReduced(float delta, const ReducedAngle& a) {
  // tan(-r) = -tan(r): the first tier works on |r|.
  const bool flip = a.r.hi < 0.0;
  double t;
  if ((a.quadrant & 1u) == 0 && quickTangent(splitTangent(flip ? ddNegate(a.r) : a.r), t))
    return isNegative(delta) != flip ? -t : t;
  const DoubleDouble d = reducedTangent(a.r, (a.quadrant & 1u) != 0);
  const double bound = (d.hi < 0.0 ? -d.hi : d.hi) * 0x1p-66;
  if (!roundingIsDecided(d, bound)) return accurateTangent(delta);
  return isNegative(delta) ? -d.hi : d.hi;
}

double tangentBeyondQuarterTurn(float delta) {
  const float magnitude = magnitudeOf(delta);
  if (magnitude < kShortReductionLimit) return tangentOfReduced(delta, reduceShortAngle(magnitude));
  if (!(magnitude <= 0x1.fffffep127f)) {  // inf or NaN: NaN, as x - x gives it
    const double x = static_cast<double>(delta);
    return x - x;
  }
  return tangentOfReduced(delta, reduceAngleExactly(magnitude));
}

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
