#include "data_type_ids.h"

int32_t dataTypeIdOfArray(const mxArray* array) {
  if (array == nullptr) return kDataTypeIdNone;
  switch (mxGetClassID(array)) {
    case mxLOGICAL_CLASS: return 8;
    case mxDOUBLE_CLASS: return 0;
    case mxSINGLE_CLASS: return 1;
    case mxINT8_CLASS: return 2;
    case mxUINT8_CLASS: return 3;
    case mxINT16_CLASS: return 4;
    case mxUINT16_CLASS: return 5;
    case mxINT32_CLASS: return 6;
    case mxUINT32_CLASS: return 7;
    default: return kDataTypeIdNone;  // char and void included
  }
}
