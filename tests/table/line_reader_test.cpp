// The line reader's buffer handling: lines that straddle or outgrow a read chunk must
// come out whole, and line ends of either kind must be cut off.
#include "table/line_reader.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "temp_stream.h"

namespace {

using substitute_host::LineReader;

std::vector<std::string> allLines(const std::string& text, std::size_t chunkBytes) {
  FilePtr in = streamOf(text);
  LineReader reader(in.get(), chunkBytes);
  std::vector<std::string> lines;
  std::string_view line;
  while (reader.next(line)) {
    lines.emplace_back(line);
    EXPECT_EQ(reader.lineNumber(), lines.size());
  }
  EXPECT_FALSE(reader.readFailed());
  return lines;
}

TEST(LineReader, SplitsLinesWhateverTheChunkSize) {
  const std::string longLine(100, 'x');
  const std::string text = "a,b\r\n" + longLine + "\n\n\r\nlast";
  const std::vector<std::string> want{"a,b", longLine, "", "", "last"};
  // Chunks of 1 and 4 bytes put "\r" and "\n" of one CRLF in different reads and make
  // the 100-byte line grow the buffer several times.
  for (std::size_t chunk : {1u, 4u, 5u, 64u, 1u << 20}) {
    EXPECT_EQ(allLines(text, chunk), want) << "chunk " << chunk;
  }
}

TEST(LineReader, EndsCleanlyWithOrWithoutFinalNewline) {
  EXPECT_EQ(allLines("one\ntwo\n", 3), (std::vector<std::string>{"one", "two"}));
  EXPECT_EQ(allLines("one\ntwo", 3), (std::vector<std::string>{"one", "two"}));
  EXPECT_TRUE(allLines("", 3).empty());
  // Only a CR right before the LF belongs to the line end.
  EXPECT_EQ(allLines("a\rb\r\n", 2), (std::vector<std::string>{"a\rb"}));
}

}  // namespace
