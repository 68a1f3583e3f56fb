#pragma once

// How each pair type code gives its value and its size, one row per code. The pair
// writer and the two list writers read their arguments by this one table.

#include <cstdarg>
#include <cstdint>

#include "rtw_pair_codes.h"

enum class PairValueForm {
  text,    // a text (codes 0 and 1)
  items,   // several items behind one pointer (code 2)
  number,  // one double, given by value to the settings writer (code 3)
  data,    // numbers behind one pointer
  parts,   // a real part and an imaginary part (codes 9 and 10)
};

enum class PairSizeForm {
  single,  // 1 by 1, no size arguments
  count,   // an element count: count by 1
  matrix,  // rows, then columns
};

struct PairShape {
  PairValueForm value;
  PairSizeForm size;
  bool listGivesWord;  // the list writers read a data type word after the sizes; else 0
  bool isParameter;    // a run-time parameter may take this code
};

inline constexpr PairShape kPairShapes[kRtwPairCodeCount] = {
    /* 0 */ {PairValueForm::text, PairSizeForm::single, false, false},
    /* 1 */ {PairValueForm::text, PairSizeForm::single, false, false},
    /* 2 */ {PairValueForm::items, PairSizeForm::count, false, false},
    /* 3 */ {PairValueForm::number, PairSizeForm::single, false, false},
    /* 4 */ {PairValueForm::data, PairSizeForm::count, false, true},
    /* 5 */ {PairValueForm::data, PairSizeForm::matrix, false, true},
    /* 6 */ {PairValueForm::data, PairSizeForm::single, true, false},
    /* 7 */ {PairValueForm::data, PairSizeForm::count, true, true},
    /* 8 */ {PairValueForm::data, PairSizeForm::matrix, true, true},
    /* 9 */ {PairValueForm::parts, PairSizeForm::count, true, true},
    /* 10 */ {PairValueForm::parts, PairSizeForm::matrix, true, true},
};

// The row of a code; null for a code outside the table.
inline const PairShape* pairShape(int code) {
  return code >= 0 && code < kRtwPairCodeCount ? &kPairShapes[code] : nullptr;
}

// writeRtwPair itself takes a data type word, before the sizes, for every numeric code.
inline bool pairTakesWord(const PairShape& shape) {
  return shape.value != PairValueForm::text && shape.value != PairValueForm::items;
}

struct PairSize {
  int32_t rows = 1;  // the element count for the count form
  int32_t columns = 1;
};

// Reads the size arguments of the form, each an int32.
PairSize readPairSize(va_list& arguments, PairSizeForm form);

// One item of a list writer as read from its arguments. `value` may point into the
// item itself (a number given by value, a pair of parts), so the item stays put.
struct ListItem {
  const void* value = nullptr;
  int32_t dataTypeWord = 0;
  PairSize size;
  double number = 0.0;
  RtwComplexPair parts{};

  ListItem() = default;
  ListItem(const ListItem&) = delete;
  ListItem& operator=(const ListItem&) = delete;
};

// Reads an item's value, sizes and data type word in the list writers' order.
void readListItem(va_list& arguments, const PairShape& shape, ListItem& item);
