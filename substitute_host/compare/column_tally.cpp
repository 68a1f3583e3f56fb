#include "compare/column_tally.h"

#include "compare/single_distance.h"
#include "table/fields.h"
#include "text/display_text.h"

namespace substitute_host {
namespace {

// A field as the report shows it: escaped like all text from a file (though a field
// that parsed as a number has nothing to escape), and only a readable head of a long one.
std::string shownText(std::string_view text) {
  constexpr std::size_t kShown = 40;
  text = trimField(text);
  if (text.size() <= kShown) return displayText(text, kWholeText);
  return displayText(text.substr(0, kShown), kWholeText) + "...";
}

void remember(DifferingRow& first, std::uint64_t row, std::uint64_t line, std::string_view textA,
              std::string_view textB) {
  if (first.row != 0) return;
  first.row = row;
  first.line = line;
  first.textA = shownText(textA);
  first.textB = shownText(textB);
}

}  // namespace

PairVerdict tallyPair(ColumnTally& tally, std::uint64_t row, std::uint64_t line,
                      std::string_view textA, std::string_view textB, float a, float b,
                      const Tolerance& tolerance) {
  ++tally.rows;
  const std::uint64_t distance = singleDistance(a, b, tolerance.ignoreZeroSign);
  if (distance == 0) {
    if (trimField(textA) != trimField(textB)) ++tally.sameValueOtherText;
    return PairVerdict::same;
  }
  ++tally.differing;
  if (distance > tally.largestDistance) tally.largestDistance = distance;
  remember(tally.firstDiffering, row, line, textA, textB);
  if (distance != kNanAgainstNumber && distance <= tolerance.ulp) {
    return PairVerdict::withinTolerance;
  }
  ++tally.beyondTolerance;
  remember(tally.firstBeyondTolerance, row, line, textA, textB);
  return PairVerdict::beyondTolerance;
}

}  // namespace substitute_host
