#pragma once

#include <cstdint>
#include <vector>

// Checks of the controller's own trigonometry against the C library and against the
// correctly rounded value (MPFR), angle by angle; the counts add up over any set of
// single angles, given by their bit patterns.
struct TrigCounts {
  std::uint64_t angles = 0;
  std::uint64_t rotationVsLibrary = 0;   // cos or sin, rounded to single, differs
  std::uint64_t rotationLibraryWrong = 0;  // ... and the library's is the one in error
  std::uint64_t tangentAngles = 0;       // angles whose tangent was checked
  std::uint64_t tangentVsLibrary = 0;    // the double tangent differs from the library's
  std::uint64_t tangentVsRounded = 0;    // ... from the correctly rounded one
  std::uint64_t tangentOverOneUlp = 0;   // more than one double ulp from the true value
  std::uint64_t tangentNotOdd = 0;       // tan(-x) is not -tan(x), ours or the library's
  std::uint64_t approximateAngles = 0;   // angles whose approximate tangent was checked
  std::uint64_t approximateOverBound = 0;  // ... more than 2^-50 from the true value
  std::vector<std::uint32_t> rotationMismatches;  // the first few, by bit pattern
  std::vector<std::uint32_t> guardAngles;  // where the fast rotation left it to the careful path

  void add(const TrigCounts& other);
};

// The rotation of one angle against the library and, where they differ, against MPFR.
void checkRotation(std::uint32_t bits, TrigCounts& counts);

// The tangent of one angle against the library and MPFR.
void checkTangent(std::uint32_t bits, TrigCounts& counts);

// Both our tangent and the library's give -tan(x) at -x.
bool tangentsAreOddAt(std::uint32_t bits);

// True when our single cos/sin of the angle equal the correctly rounded double ones,
// each rounded to single.
bool rotationMatchesRounded(float phi);
