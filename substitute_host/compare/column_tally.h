#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace substitute_host {

// How the values of one compared pair are judged.
struct Tolerance {
  std::uint64_t ulp = 0;        // largest distance, in units in the last place, still agreeing
  bool ignoreZeroSign = false;  // +0 and -0 the same single
};

// One row of a column where the files differ: its row and line number and both fields
// as written (cut short when long).
struct DifferingRow {
  std::uint64_t row = 0;  // 0: none yet
  std::uint64_t line = 0;
  std::string textA;
  std::string textB;
};

// What the comparison of one column found so far.
struct ColumnTally {
  std::string name;
  std::uint64_t rows = 0;
  std::uint64_t differing = 0;           // rows whose singles are not the same
  std::uint64_t beyondTolerance = 0;     // rows whose singles lie further apart than allowed
  std::uint64_t largestDistance = 0;     // in ULP; kNanAgainstNumber for a NaN against a number
  std::uint64_t sameValueOtherText = 0;  // rows of one single written in two ways
  DifferingRow firstDiffering;
  DifferingRow firstBeyondTolerance;
};

// How one pair of values compared.
enum class PairVerdict { same, withinTolerance, beyondTolerance };

// Adds one row's pair of fields, already read as the singles a and b.
PairVerdict tallyPair(ColumnTally& tally, std::uint64_t row, std::uint64_t line,
                      std::string_view textA, std::string_view textB, float a, float b,
                      const Tolerance& tolerance);

// Adds one row whose two fields are the same text, and therefore the same single.
inline void tallySameText(ColumnTally& tally) { ++tally.rows; }

}  // namespace substitute_host
