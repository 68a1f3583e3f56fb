#include "trig_checks.h"

#include <mpfr.h>

#include <bit>
#include <cmath>

#include "control/trig/sine_cosine.h"
#include "control/trig/tangent.h"

namespace {

bool sameSingle(float a, float b) {
  return (a != a && b != b) || std::bit_cast<std::uint32_t>(a) == std::bit_cast<std::uint32_t>(b);
}

bool sameDouble(double a, double b) {
  return (a != a && b != b) || std::bit_cast<std::uint64_t>(a) == std::bit_cast<std::uint64_t>(b);
}

// One MPFR evaluation at a working precision far above double's, rounded once to double.
struct Exact {
  mpfr_t x, y;
  Exact() {
    mpfr_init2(x, 64);
    mpfr_init2(y, 53);
  }
  ~Exact() {
    mpfr_clear(x);
    mpfr_clear(y);
  }
  // The rounded value; `above` tells whether it lies above the true value.
  double apply(int (*f)(mpfr_ptr, mpfr_srcptr, mpfr_rnd_t), float angle, bool* above = nullptr) {
    mpfr_set_flt(x, angle, MPFR_RNDN);
    const int ternary = f(y, x, MPFR_RNDN);
    if (above != nullptr) *above = ternary > 0;
    return mpfr_get_d(y, MPFR_RNDN);
  }
};

thread_local Exact exact;

// Ours is more than one double ulp from the true value unless it is the correctly
// rounded value or the other double on either side of the true value.
bool moreThanOneUlpOff(double ours, double rounded, bool roundedAbove) {
  if (sameDouble(ours, rounded)) return false;
  const double other = std::nextafter(rounded, roundedAbove ? -INFINITY : INFINITY);
  return !sameDouble(ours, other);
}

}  // namespace

void TrigCounts::add(const TrigCounts& o) {
  angles += o.angles;
  rotationVsLibrary += o.rotationVsLibrary;
  rotationLibraryWrong += o.rotationLibraryWrong;
  tangentAngles += o.tangentAngles;
  tangentVsLibrary += o.tangentVsLibrary;
  tangentVsRounded += o.tangentVsRounded;
  tangentOverOneUlp += o.tangentOverOneUlp;
  tangentNotOdd += o.tangentNotOdd;
  approximateAngles += o.approximateAngles;
  approximateOverBound += o.approximateOverBound;
  for (std::uint32_t b : o.rotationMismatches)
    if (rotationMismatches.size() < 64) rotationMismatches.push_back(b);
  guardAngles.insert(guardAngles.end(), o.guardAngles.begin(), o.guardAngles.end());
}

bool rotationMatchesRounded(float phi) {
  const SineCosine ours = sineCosineOf(phi);
  const float c = static_cast<float>(exact.apply(mpfr_cos, phi));
  const float s = static_cast<float>(exact.apply(mpfr_sin, phi));
  return sameSingle(ours.cosPhi, c) && sameSingle(ours.sinPhi, s);
}

void checkRotation(std::uint32_t bits, TrigCounts& counts) {
  const float angle = std::bit_cast<float>(bits);
  ++counts.angles;
  bool careful;
  fastSineCosine(angle, careful);
  if (careful) counts.guardAngles.push_back(bits);
  const SineCosine ours = sineCosineOf(angle);
  const double x = static_cast<double>(angle);
  const float libraryCos = static_cast<float>(std::cos(x));
  const float librarySin = static_cast<float>(std::sin(x));
  if (!sameSingle(ours.cosPhi, libraryCos) || !sameSingle(ours.sinPhi, librarySin)) {
    ++counts.rotationVsLibrary;
    if (rotationMatchesRounded(angle)) ++counts.rotationLibraryWrong;
    if (counts.rotationMismatches.size() < 64) counts.rotationMismatches.push_back(bits);
  }
}

void checkTangent(std::uint32_t bits, TrigCounts& counts) {
  const float angle = std::bit_cast<float>(bits);
  const double x = static_cast<double>(angle);
  ++counts.tangentAngles;
  const double t = tangentOf(angle);
  if (!sameDouble(t, std::tan(x))) ++counts.tangentVsLibrary;
  bool roundedAbove = false;
  const double rounded = exact.apply(mpfr_tan, angle, &roundedAbove);
  if (!sameDouble(t, rounded)) {
    ++counts.tangentVsRounded;
    if (moreThanOneUlpOff(t, rounded, roundedAbove)) ++counts.tangentOverOneUlp;
  }
  // The approximate tangent, against the rounded value (itself within 2^-53 of the true).
  double approximate;
  if (approximateTangent(angle, approximate)) {
    ++counts.approximateAngles;
    if (!(std::fabs(approximate - rounded) <= std::fabs(rounded) * 0x1.8p-51))
      ++counts.approximateOverBound;
  }
}

bool tangentsAreOddAt(std::uint32_t bits) {
  const float angle = std::bit_cast<float>(bits);
  const double x = static_cast<double>(angle);
  return sameDouble(tangentOf(-angle), -tangentOf(angle)) && sameDouble(std::tan(-x), -std::tan(x));
}
