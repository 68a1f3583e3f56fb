// The substitute host's allocations refuse sizes whose bytes do not fit a size_t, as
// calloc does, instead of handing out a small block for a large request.
#include "runtime/host_arrays.h"

#include <gtest/gtest.h>

#include <cstdint>

namespace substitute_host {
namespace {

TEST(HostArrays, SizesWhoseBytesOverflowAreRefused) {
  EXPECT_EQ(mxCalloc(SIZE_MAX / 2 + 2, 2), nullptr);
  EXPECT_EQ(mxCalloc(SIZE_MAX, SIZE_MAX), nullptr);
  EXPECT_EQ(mxCalloc(SIZE_MAX / 8 + 1, 8), nullptr);
  EXPECT_EQ(mxCreateDoubleMatrix_700(SIZE_MAX / 2 + 2, 2, mxREAL), nullptr);
  EXPECT_EQ(mxCreateDoubleMatrix_700(3, SIZE_MAX / 3 + 1, mxCOMPLEX), nullptr);
  EXPECT_EQ(makeNumericMatrix(mxINT16_CLASS, std::size_t{1} << 62, 2), nullptr);
  EXPECT_EQ(makeDoubleMatrix(3, SIZE_MAX / 16, {1.0, 2.0, 8480229.0}), nullptr);

  // Sizes that fit are still served, zero-filled.
  void* block = mxCalloc(4, 8);
  ASSERT_NE(block, nullptr);
  EXPECT_EQ(static_cast<const unsigned char*>(block)[31], 0);
  OwnedArray empty = makeNumericMatrix(mxINT16_CLASS, std::size_t{1} << 62, 0);
  ASSERT_NE(empty, nullptr);
  EXPECT_EQ(mxGetM(empty.get()), std::size_t{1} << 62);
  EXPECT_EQ(mxGetPr(empty.get()), nullptr);
}

}  // namespace
}  // namespace substitute_host
