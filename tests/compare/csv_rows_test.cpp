// Reading a CSV of named columns: the header's rules, rows of the header's width, and
// messages that name the file, line and column at fault.
#include "compare/csv_rows.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "temp_stream.h"

namespace {

using substitute_host::CsvRowReader;
using Status = CsvRowReader::Status;

struct Read {
  bool headerOk = false;
  std::vector<std::string> names;
  std::vector<std::vector<std::string>> rows;
  Status last = Status::end;
  std::string error;
};

Read readAll(const std::string& text) {
  FilePtr in = streamOf(text);
  CsvRowReader reader(in.get(), "a.csv");
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
           {" \n1\n", "a.csv: line 1, the header line is blank"},
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
  CsvRowReader reader(in.get(), "a.csv");
  ASSERT_TRUE(reader.readHeader());
  ASSERT_EQ(reader.next(), Status::row);
  std::uint64_t rows = 0;
  EXPECT_EQ(reader.countRemainingRows(rows), Status::end);
  EXPECT_EQ(rows, 2u);
}

TEST(CsvRows, MessagesShowControlBytesEscapedAndCutLongText) {
  const Read read = readAll("x\x1b[2J,y,x\x1b[2J\n");
  EXPECT_EQ(read.error, "a.csv: line 1, field 3: column 'x\\x1B[2J' already appears as field 1");
  EXPECT_EQ(substitute_host::quotedForMessage(std::string(50, '7')),
            "'" + std::string(40, '7') + "... (50 bytes)'");
}

}  // namespace
