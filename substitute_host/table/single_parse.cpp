#include "table/single_text.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>
#include <system_error>

#include "table/fields.h"

namespace substitute_host {
namespace {

bool equalsIgnoringCase(std::string_view text, std::string_view lowerWord) {
  if (text.size() != lowerWord.size()) return false;
  for (std::size_t i = 0; i < text.size(); ++i) {
    char c = text[i];
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    if (c != lowerWord[i]) return false;
  }
  return true;
}

bool isDigit(char c) { return c >= '0' && c <= '9'; }

// from_chars only says "out of range"; whether the decimal lies above the single range
// or below it follows from its order of magnitude, which the digits and exponent give.
// The count of digits is bounded by the field's length, far below 2^62; the exponent
// saturates well above any such count, so their sum keeps its sign however long either is.
constexpr std::int64_t kSaturatedExponent = std::int64_t{1} << 62;

std::int64_t decimalExponent(std::string_view text) {
  bool negative = false;
  std::size_t i = 0;
  if (i < text.size() && (text[i] == '-' || text[i] == '+')) negative = text[i++] == '-';
  std::int64_t exponent = 0;
  for (; i < text.size() && isDigit(text[i]); ++i) {
    exponent =
        exponent < kSaturatedExponent / 10 ? exponent * 10 + (text[i] - '0') : kSaturatedExponent;
  }
  return negative ? -exponent : exponent;
}

bool liesAboveSingleRange(std::string_view unsignedNumber) {
  std::int64_t magnitude = 0;
  bool seenNonZero = false;
  bool afterPoint = false;
  std::size_t i = 0;
  for (; i < unsignedNumber.size(); ++i) {
    const char c = unsignedNumber[i];
    if (c == '.') {
      afterPoint = true;
    } else if (isDigit(c)) {
      if (!seenNonZero && c != '0') {
        seenNonZero = true;
        if (afterPoint) --magnitude;  // the first significant digit is itself after the point
      } else if (!seenNonZero && afterPoint) {
        --magnitude;
      } else if (seenNonZero && !afterPoint) {
        ++magnitude;
      }
    } else {
      break;  // 'e' or 'E'
    }
  }
  const std::int64_t exponent =
      i < unsignedNumber.size() ? decimalExponent(unsignedNumber.substr(i + 1)) : 0;
  return magnitude + exponent >= 0;
}

}  // namespace

bool parseInputValue(std::string_view field, float& value) {
  field = trimField(field);
  if (field.empty()) return false;
  bool negative = false;
  if (field.front() == '+' || field.front() == '-') {
    negative = field.front() == '-';
    field.remove_prefix(1);
  }
  if (field.empty()) return false;

  if (!isDigit(field.front()) && field.front() != '.') {
    // Only the two plain words; from_chars would also take "infinity" and "nan(...)".
    float special;
    if (equalsIgnoringCase(field, "nan")) {
      special = std::numeric_limits<float>::quiet_NaN();
    } else if (equalsIgnoringCase(field, "inf")) {
      special = std::numeric_limits<float>::infinity();
    } else {
      return false;
    }
    value = negative ? -special : special;
    return true;
  }

  // Straight to float: it rounds the decimal once, correctly. Going through double
  // would round twice and miss the nearest single for decimals close to a halfway point.
  float parsed = 0.0f;
  const char* const end = field.data() + field.size();
  const auto [stop, error] = std::from_chars(field.data(), end, parsed, std::chars_format::general);
  if (stop != end) return false;
  if (error == std::errc::result_out_of_range) {
    parsed = liesAboveSingleRange(field) ? std::numeric_limits<float>::infinity() : 0.0f;
  } else if (error != std::errc()) {
    return false;
  }
  value = negative ? -parsed : parsed;
  return true;
}

}  // namespace substitute_host
