// Output rows that survive the writer's buffering intact.
#include "replay/output_csv.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>

#include "temp_stream.h"

namespace {

using substitute_host::OutputCsvWriter;

TEST(OutputCsv, WritesHeaderAndRowsThroughAnyBufferSize) {
  const float rows[3][6] = {
      {0.1f, -0.0f, 1e-45f, -7.57f, 400.0f, 3.4028235e+38f},
      {std::numeric_limits<float>::quiet_NaN(), std::numeric_limits<float>::infinity(),
       -std::numeric_limits<float>::infinity(), 1.0f, 2.0f, 3.0f},
      {0, 0, 0, 0, 0, 0}};
  const std::string want =
      "vabcNorm1_a,vabcNorm1_b,vabcNorm1_c,vabcNorm2_a,vabcNorm2_b,vabcNorm2_c\n"
      "0.1,-0,1e-45,-7.57,400,3.4028235e+38\n"
      "nan,inf,-inf,1,2,3\n"
      "0,0,0,0,0,0\n";
  // 1 byte is below one row: the writer must make room rather than overrun.
  for (std::size_t bufferBytes : {1u, 40u, 200u, 1u << 18}) {
    FilePtr out = emptyStream();
    OutputCsvWriter writer(out.get(), bufferBytes);
    writer.writeHeader();
    for (const auto& row : rows) writer.writeRow(row);
    ASSERT_TRUE(writer.flush());
    EXPECT_EQ(contentsOf(out.get()), want) << "buffer " << bufferBytes;
  }
}

}  // namespace
