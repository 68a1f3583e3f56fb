#pragma once

// Unevaluated sums of two doubles (hi + lo, |lo| at most half an ulp of hi) and the
// exact steps they are built from. They give the trigonometry about 106 bits where a
// double's 53 cannot decide a rounding. Every step is plain IEEE double arithmetic;
// the exactness of the error terms relies on contraction being off.
struct DoubleDouble {
  double hi;
  double lo;
};

// a + b exactly, for |a| >= |b| or a == 0.
inline DoubleDouble fastTwoSum(double a, double b) {
  const double s = a + b;
  return {s, b - (s - a)};
}

// a + b exactly, whatever their magnitudes.
inline DoubleDouble twoSum(double a, double b) {
  const double s = a + b;
  const double bv = s - a;
  const double av = s - bv;
  return {s, (a - av) + (b - bv)};
}

// a * b exactly (Veltkamp's split and Dekker's product), for |a|, |b| below 2^995.
inline DoubleDouble twoProduct(double a, double b) {
  constexpr double kSplit = 134217729.0;  // 2^27 + 1
  const double ca = kSplit * a;
  const double ah = ca - (ca - a);
  const double al = a - ah;
  const double cb = kSplit * b;
  const double bh = cb - (cb - b);
  const double bl = b - bh;
  const double p = a * b;
  return {p, ((ah * bh - p) + ah * bl + al * bh) + al * bl};
}

inline DoubleDouble ddAdd(DoubleDouble a, DoubleDouble b) {
  const DoubleDouble s = twoSum(a.hi, b.hi);
  return fastTwoSum(s.hi, s.lo + (a.lo + b.lo));
}

inline DoubleDouble ddMul(DoubleDouble a, DoubleDouble b) {
  const DoubleDouble p = twoProduct(a.hi, b.hi);
  return fastTwoSum(p.hi, p.lo + (a.hi * b.lo + a.lo * b.hi));
}

inline DoubleDouble ddDiv(DoubleDouble a, DoubleDouble b) {
  const double q1 = a.hi / b.hi;
  const DoubleDouble p = twoProduct(q1, b.hi);
  const double rest = (((a.hi - p.hi) - p.lo) + a.lo) - q1 * b.lo;
  return fastTwoSum(q1, rest / b.hi);
}

inline DoubleDouble ddNegate(DoubleDouble a) { return {-a.hi, -a.lo}; }
