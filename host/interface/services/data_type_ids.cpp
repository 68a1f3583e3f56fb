#include "data_type_ids.h"

int32_t dataTypeIdOfArray(const mxArray* array) {
  if (array == nullptr) return kDataTypeInvalid;
  switch (mxGetClassID(array)) {
    case mxLOGICAL_CLASS: return kDataTypeBoolean;
    case mxDOUBLE_CLASS: return kDataTypeDouble;
    case mxSINGLE_CLASS: return kDataTypeSingle;
    case mxINT8_CLASS: return kDataTypeInt8;
    case mxUINT8_CLASS: return kDataTypeUint8;
    case mxINT16_CLASS: return kDataTypeInt16;
    case mxUINT16_CLASS: return kDataTypeUint16;
    case mxINT32_CLASS: return kDataTypeInt32;
    case mxUINT32_CLASS: return kDataTypeUint32;
    default: return kDataTypeInvalid;  // char and void included
  }
}
