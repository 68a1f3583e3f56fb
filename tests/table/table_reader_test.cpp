// Reading a CSV of named columns: the header's rules, rows of the header's width, and
// messages that name the file, line and column at fault.
#include "table/table_reader.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include "temp_stream.h"
#include "text/display_text.h"

namespace {

using substitute_host::TableReader;
using Status = TableReader::Status;

struct Read {
  bool headerOk = false;
  std::vector<std::string> names;
  std::vector<std::vector<std::string>> rows;
  Status last = Status::end;
  std::string error;
};

Read readAll(const std::string& text) {
  FilePtr in = streamOf(text);
  TableReader reader(in.get(), "a.csv");
  Read read;
  read.headerOk = reader.readHeader();
  read.names = reader.names();
  if (!read.headerOk) {
    read.error = reader.error();
    return read;
  }
  while ((read.last = reader.next()) == Status::row) {
    read.rows.emplace_back();
    for (std::size_t i = 0; i < read.names.size(); ++i)
      read.rows.back().emplace_back(reader.field(i));
  }
  read.error = reader.error();
  return read;
}

TEST(CsvRows, ReadsNamesAndFieldsAsWritten) {
  const Read read = readAll("\xEF\xBB\xBF x ,\ty,,z\r\n1, 2 ,3,4\r\n5,6,7,8\n\n \n");
  ASSERT_TRUE(read.headerOk) << read.error;
  EXPECT_EQ(read.names, (std::vector<std::string>{"x", "y", "", "z"}));
  EXPECT_EQ(read.last, Status::end) << read.error;
  ASSERT_EQ(read.rows.size(), 2u);
  EXPECT_EQ(read.rows[0], (std::vector<std::string>{"1", " 2 ", "3", "4"}));
  EXPECT_EQ(read.rows[1], (std::vector<std::string>{"5", "6", "7", "8"}));
}

TEST(CsvRows, RefusesHeadersThatCannotBePaired) {
  struct Case {
    std::string text, error;
  };
  for (const Case& c : std::vector<Case>{
           {"", "a.csv: the file is empty; it needs a header line"},
           {" \n1\n", "a.csv: line 1: the header line is blank"},
           {"x,y,x\n", "a.csv: line 1, field 3: column 'x' already appears as field 1"},
           {"x,\"y\"\n", "a.csv: line 1, field 2: quoted names are not supported: '\"y\"'"},
       }) {
    const Read read = readAll(c.text);
    EXPECT_FALSE(read.headerOk) << c.text;
    EXPECT_EQ(read.error, c.error);
  }
}

TEST(CsvRows, RowsOfAnotherWidthOrAfterABlankLineAreBadInput) {
  struct Case {
    std::string text, error;
  };
  for (const Case& c : std::vector<Case>{
           {"x,y\n1,2\n3\n",
            "a.csv: line 3, column 'y' (field 2): the row ends after 1 fields; "
            "the header has 2"},
           {"x,y\n1,2,3\n", "a.csv: line 2, field 3: the row has more fields than the header's 2"},
           {"x,y\n1,2\n\n3,4\n",
            "a.csv: line 3: blank line between rows (only the end of the file may be blank)"},
       }) {
    const Read read = readAll(c.text);
    ASSERT_TRUE(read.headerOk) << c.text;
    EXPECT_EQ(read.last, Status::badInput) << c.text;
    EXPECT_EQ(read.error, c.error);
  }
}

TEST(CsvRows, CountsTheRowsLeftWithoutSplittingThem) {
  FilePtr in = streamOf("x,y\n1,2\n3\n4,5,6\n\n");
  TableReader reader(in.get(), "a.csv");
  ASSERT_TRUE(reader.readHeader());
  ASSERT_EQ(reader.next(), Status::row);
  std::uint64_t rows = 0;
  EXPECT_EQ(reader.countRemainingRows(rows), Status::end);
  EXPECT_EQ(rows, 2u);
}

TEST(CsvRows, NamesTextThatIsNoCsvForWhatItIs) {
  // "x,y" in UTF-16 with its byte-order mark, as Windows editors save it.
  const std::string utf16("\xFF\xFEx\0,\0y\0\n\0", 10);
  EXPECT_EQ(readAll(utf16).error,
            "a.csv: line 1: the input holds NUL bytes or a UTF-16 byte-order mark: it is UTF-16 "
            "or binary, not a CSV text in ASCII or UTF-8");
  // Read as one line, it would be a header of three names and no rows at all.
  EXPECT_EQ(readAll("x,y\r1,2\r").error,
            "a.csv: line 1: the lines end in a carriage return alone; they must end in LF or "
            "CRLF");
}

TEST(CsvRows, OnlyTheNamesThatAreLookedUpMustBeUnique) {
  const auto onlyX = [](std::string_view name) { return name == "x"; };
  FilePtr in = streamOf("note,x,note,\n1,2,3,\n");
  TableReader reader(in.get(), "a.csv");
  ASSERT_TRUE(reader.readHeader(onlyX)) << reader.error();
  EXPECT_EQ(reader.names(), (std::vector<std::string>{"note", "x", "note", ""}));
  EXPECT_EQ(reader.next(), Status::row) << reader.error();

  in = streamOf("x,note,x\n");
  TableReader repeated(in.get(), "a.csv");
  EXPECT_FALSE(repeated.readHeader(onlyX));
  EXPECT_EQ(repeated.error(), "a.csv: line 1, field 3: column 'x' already appears as field 1");
}

TEST(CsvRows, ReadsFieldsAsSinglesAndSaysWhereOneIsNone) {
  FilePtr in = streamOf("x,y\n 0.1 ,NaN\n1,\t\n2,\"3\"\n3,0x4\n");
  TableReader reader(in.get(), "a\x1B[2J.csv");
  ASSERT_TRUE(reader.readHeader()) << reader.error();
  ASSERT_EQ(reader.next(), Status::row) << reader.error();
  float x = 0.0f, y = 0.0f;
  ASSERT_TRUE(reader.readSingle(0, x));
  ASSERT_TRUE(reader.readSingle(1, y));
  EXPECT_EQ(x, 0.1f);
  EXPECT_TRUE(std::isnan(y));
  for (const char* error :
       {"the field is empty", "quoted fields are not supported", "'0x4' is not a number"}) {
    ASSERT_EQ(reader.next(), Status::row) << reader.error();
    EXPECT_FALSE(reader.readSingle(1, y));
    EXPECT_EQ(reader.error(), "a\\x1B[2J.csv: line " + std::to_string(reader.lineNumber()) +
                                  ", column 'y' (field 2): " + error);
  }
}

TEST(CsvRows, AStreamWithoutANameIsPlacedByItsLinesAlone) {
  FilePtr in = streamOf("");
  TableReader empty(in.get(), "");
  EXPECT_FALSE(empty.readHeader());
  EXPECT_EQ(empty.error(), "line 1: the input is empty; it needs a header line");

  in = streamOf("x\n1\n\n2\n");
  TableReader blank(in.get(), "");
  ASSERT_TRUE(blank.readHeader()) << blank.error();
  EXPECT_EQ(blank.next(), Status::row);
  EXPECT_EQ(blank.next(), Status::badInput);
  EXPECT_EQ(blank.error(),
            "line 3: blank line between rows (only the end of the file may be blank)");
}

TEST(CsvRows, AStreamThatCannotBeReadIsNoBadText) {
  FilePtr directory(std::fopen("/", "rb"));
  ASSERT_NE(directory, nullptr);
  TableReader reader(directory.get(), "a.csv");
  EXPECT_FALSE(reader.readHeader());
  EXPECT_TRUE(reader.readFailed());
  EXPECT_EQ(reader.error(), "a.csv: reading failed: Is a directory");
}

TEST(CsvRows, MessagesShowControlBytesEscapedAndCutLongText) {
  const Read read = readAll("x\x1b[2J,y,x\x1b[2J\n");
  EXPECT_EQ(read.error, "a.csv: line 1, field 3: column 'x\\x1B[2J' already appears as field 1");
  EXPECT_EQ(substitute_host::quotedForMessage(std::string(50, '7')),
            "'" + std::string(40, '7') + "... (50 bytes)'");
}

}  // namespace
