#include "fuzz_arrays.h"

#include <cmath>
#include <cstring>
#include <limits>

#include "gateway.h"

namespace fuzz {
namespace {

using namespace substitute_host;

constexpr mxClassID kClasses[] = {mxDOUBLE_CLASS, mxSINGLE_CLASS,  mxINT8_CLASS,    mxUINT8_CLASS,
                                  mxINT16_CLASS,  mxUINT16_CLASS,  mxINT32_CLASS,   mxUINT32_CLASS,
                                  mxINT64_CLASS,  mxUINT64_CLASS,  mxCHAR_CLASS,    mxLOGICAL_CLASS,
                                  mxCELL_CLASS,   mxUNKNOWN_CLASS, mxFUNCTION_CLASS};

std::size_t bytesPerElement(mxClassID classId) {
  switch (classId) {
    case mxDOUBLE_CLASS:
    case mxINT64_CLASS:
    case mxUINT64_CLASS:
      return 8;
    case mxSINGLE_CLASS:
    case mxINT32_CLASS:
    case mxUINT32_CLASS:
      return 4;
    case mxINT16_CLASS:
    case mxUINT16_CLASS:
    case mxCHAR_CLASS:
      return 2;
    case mxINT8_CLASS:
    case mxUINT8_CLASS:
    case mxLOGICAL_CLASS:
      return 1;
    default:
      return sizeof(void*);
  }
}

std::size_t chosenExtent(ByteSource& in) {
  const uint8_t b = in.byte();
  if (b < 240) return b % 5;
  const std::size_t huge[] = {SIZE_MAX, SIZE_MAX / 2 + 2, std::size_t{1} << 62,
                              std::size_t{1} << 61, std::size_t{1} << 32};
  return huge[b % 5];
}

void fill(mxArray* array, std::size_t bytes, bool doubles, ByteSource& in) {
  auto* data = reinterpret_cast<unsigned char*>(mxGetPr(array));
  if (data == nullptr || bytes == 0) return;
  if (!doubles) {
    for (std::size_t i = 0; i < bytes; ++i) data[i] = in.byte();
    return;
  }
  for (std::size_t i = 0; i + sizeof(double) <= bytes; i += sizeof(double)) {
    const double value = chosenDouble(in);
    std::memcpy(data + i, &value, sizeof value);
  }
}

OwnedArray loadedOrEmpty(OwnedArray array) {
  return array != nullptr ? std::move(array) : makeDoubleMatrix(0, 0);
}

}  // namespace

double chosenDouble(ByteSource& in) {
  const double table[] = {0.0,
                          1.0,
                          -1.0,
                          0.5,
                          -0.4,
                          3.0,
                          8480229.0,
                          2147483648.0,
                          -2147483649.0,
                          -2147483648.0,
                          111.9,
                          104.0,
                          std::numeric_limits<double>::quiet_NaN(),
                          std::numeric_limits<double>::infinity(),
                          -std::numeric_limits<double>::infinity(),
                          1e300};
  const uint8_t b = in.byte();
  if (b < 2 * std::size(table)) return table[b % std::size(table)];
  if (b < 224) return static_cast<double>(static_cast<int8_t>(in.byte())) + 101.0;
  return in.raw<double>();
}

OwnedArray chosenArray(ByteSource& in) {
  const mxClassID classId = kClasses[in.pick(std::size(kClasses))];
  if (classId == mxDOUBLE_CLASS && in.pick(8) == 0) {
    const double real = chosenDouble(in);
    return loadedOrEmpty(makeComplexScalar(real, chosenDouble(in)));
  }
  const std::size_t rows = chosenExtent(in), columns = chosenExtent(in);
  std::size_t count = 0, bytes = 0;
  const bool overflows = __builtin_mul_overflow(rows, columns, &count) ||
                         __builtin_mul_overflow(count, bytesPerElement(classId), &bytes);
  if (!overflows && bytes > (std::size_t{1} << 16)) return makeDoubleMatrix(0, 0);  // memory
  OwnedArray array = makeNumericMatrix(classId, rows, columns);
  if (overflows) {
    check(array == nullptr, "the host made an array whose bytes overflow a size_t");
    return makeDoubleMatrix(0, 0);
  }
  check(array != nullptr, "the host refused a small array");
  // Cells and the other containers hold pointers: they stay null.
  const bool holdsData = classId >= mxLOGICAL_CLASS && classId != mxFUNCTION_CLASS;
  if (holdsData) fill(array.get(), bytes, classId == mxDOUBLE_CLASS, in);
  return array;
}

const PluginModule& moduleUnderTest() {
  static const PluginModule module{nullptr, mexFunction, mexfilerequiredapiversion};
  return module;
}

}  // namespace fuzz
