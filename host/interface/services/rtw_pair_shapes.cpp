#include "rtw_pair_shapes.h"

PairSize readPairSize(va_list& arguments, PairSizeForm form) {
  PairSize size;
  if (form == PairSizeForm::count) size.rows = va_arg(arguments, int32_t);
  if (form == PairSizeForm::matrix) {
    size.rows = va_arg(arguments, int32_t);
    size.columns = va_arg(arguments, int32_t);
  }
  return size;
}

void readListItem(va_list& arguments, const PairShape& shape, ListItem& item) {
  switch (shape.value) {
    case PairValueForm::number:
      item.number = va_arg(arguments, double);
      item.value = &item.number;
      break;
    case PairValueForm::parts:
      item.parts.real = va_arg(arguments, const void*);
      item.parts.imaginary = va_arg(arguments, const void*);
      item.value = &item.parts;
      break;
    default:
      item.value = va_arg(arguments, const void*);
      break;
  }
  item.size = readPairSize(arguments, shape.size);
  item.dataTypeWord = shape.listGivesWord ? va_arg(arguments, int32_t) : 0;
}
