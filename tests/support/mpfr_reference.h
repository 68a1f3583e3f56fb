#pragma once

// Our own elementary functions against MPFR's correctly rounded ones: f(x) rounded once
// to a double, and the distance between two doubles in units in the last place.

#include <mpfr.h>

#include <bit>
#include <cstdint>
#include <limits>

namespace corvalent2_test {

using MpfrFunction = int (*)(mpfr_ptr, mpfr_srcptr, mpfr_rnd_t);

inline double correctlyRounded(MpfrFunction f, double x) {
  mpfr_t m;
  mpfr_init2(m, 53);
  mpfr_set_d(m, x, MPFR_RNDN);
  const int inexact = f(m, m, MPFR_RNDN);
  mpfr_subnormalize(m, inexact, MPFR_RNDN);
  const double r = mpfr_get_d(m, MPFR_RNDN);
  mpfr_clear(m);
  return r;
}

// The count of doubles between a and b.
inline std::int64_t ulpsApart(double a, double b) {
  const auto ordered = [](double v) {
    const auto bits = std::bit_cast<std::int64_t>(v);
    return bits < 0 ? std::numeric_limits<std::int64_t>::min() - bits : bits;
  };
  const std::int64_t d = ordered(a) - ordered(b);
  return d < 0 ? -d : d;
}

}  // namespace corvalent2_test
