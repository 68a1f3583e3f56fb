// The input CSV: columns by name in any order, the tolerated layout variations, and
// error messages that point at the line and column at fault.
#include "replay/input_csv.h"

#include <gtest/gtest.h>

#include <bit>
#include <cstdint>
#include <string>

#include "temp_stream.h"

namespace {

using substitute_host::InputCsvReader;
using substitute_host::kInputColumns;
using substitute_host::kInputValueCount;
using Status = InputCsvReader::Status;

const std::string kHeader =
    "iabc1_a,iabc1_b,iabc1_c,theta1,omega1,iabc2_a,iabc2_b,iabc2_c,theta2,omega2,udc,"
    "iqCommand,steerAngle";

// A row whose value in port position i is i + 1, so any mix-up shows.
const std::string kCountingRow = "1,2,3,4,5,6,7,8,9,10,11,12,13";

struct Parsed {
  bool headerOk = false;
  std::vector<std::array<float, kInputValueCount>> rows;
  Status last = Status::end;
  std::string error;
};

Parsed parse(const std::string& text) {
  FilePtr in = streamOf(text);
  InputCsvReader reader(in.get());
  Parsed parsed;
  parsed.headerOk = reader.readHeader();
  if (!parsed.headerOk) {
    parsed.error = reader.error();
    return parsed;
  }
  std::array<float, kInputValueCount> values{};
  while ((parsed.last = reader.next(values.data())) == Status::row) parsed.rows.push_back(values);
  parsed.error = reader.error();
  return parsed;
}

void expectCountingRow(const std::array<float, kInputValueCount>& row) {
  for (std::size_t i = 0; i < kInputValueCount; ++i) {
    EXPECT_EQ(std::bit_cast<std::uint32_t>(row[i]),
              std::bit_cast<std::uint32_t>(static_cast<float>(i + 1)))
        << kInputColumns[i];
  }
}

TEST(InputCsv, FindsColumnsByNameInAnyOrderAndSkipsOthers) {
  // Reversed port order, with unknown columns before, between and after; their contents
  // are never read, so text there is fine. "Theta1" is unknown: names are case-sensitive.
  const std::string header =
      "time,steerAngle,iqCommand,udc,omega2,theta2,iabc2_c,iabc2_b,note,more,iabc2_a,omega1,"
      "theta1,iabc1_c,iabc1_b,iabc1_a,Theta1";
  // No quote handling: the comma inside the quote splits the text into note and more.
  const std::string row = "not a number,13,12,11,10,9,8,7,\"quoted, sort of,6,5,4,3,2,1,x";
  const Parsed parsed = parse(header + "\n" + row + "\n" + row + "\n");
  ASSERT_TRUE(parsed.headerOk) << parsed.error;
  EXPECT_EQ(parsed.last, Status::end) << parsed.error;
  ASSERT_EQ(parsed.rows.size(), 2u);
  expectCountingRow(parsed.rows[0]);
  expectCountingRow(parsed.rows[1]);
}

TEST(InputCsv, ToleratesByteOrderMarkCrlfSpacesAndTrailingBlankLines) {
  std::string header = "\xEF\xBB\xBF";
  for (std::size_t i = 0; i < kInputValueCount; ++i) {
    header.append(i ? ", " : " ").append(kInputColumns[i]).append("\t");
  }
  const std::string row = " 1 ,2,\t3,4,5,6,7,8,9,10,11,12, 13 ";
  const Parsed parsed = parse(header + "\r\n" + row + "\r\n" + row + "\r\n\r\n  \n\n");
  ASSERT_TRUE(parsed.headerOk) << parsed.error;
  EXPECT_EQ(parsed.last, Status::end) << parsed.error;
  ASSERT_EQ(parsed.rows.size(), 2u);
  expectCountingRow(parsed.rows[1]);
}

TEST(InputCsv, TakesALastRowWithoutNewlineAndAHeaderWithoutRows) {
  Parsed parsed = parse(kHeader + "\n" + kCountingRow);
  ASSERT_EQ(parsed.rows.size(), 1u);
  expectCountingRow(parsed.rows[0]);
  parsed = parse(kHeader);
  EXPECT_TRUE(parsed.headerOk);
  EXPECT_EQ(parsed.last, Status::end);
  EXPECT_TRUE(parsed.rows.empty());
}

TEST(InputCsv, RefusesUnusableHeadersOnLine1) {
  std::string lacking = kHeader;
  lacking.replace(lacking.find(",theta2"), 7, "");
  lacking.replace(lacking.find(",udc"), 4, ",UDC");
  Parsed parsed = parse(lacking + "\n");
  EXPECT_FALSE(parsed.headerOk);
  EXPECT_EQ(parsed.error, "line 1: the header lacks the required columns 'theta2', 'udc'");

  parsed = parse(kHeader + ",theta1\n");
  EXPECT_FALSE(parsed.headerOk);
  EXPECT_EQ(parsed.error, "line 1, field 14: column 'theta1' already appears as field 4");

  parsed = parse("\"iabc1_a\"," + kHeader.substr(8) + "\n");
  EXPECT_FALSE(parsed.headerOk);
  EXPECT_NE(parsed.error.find("line 1, field 1: quoted names are not supported"), std::string::npos)
      << parsed.error;

  EXPECT_EQ(parse("").error, "line 1: the input is empty; it needs a header line");
  EXPECT_EQ(parse("\n" + kHeader + "\n").error, "line 1: the header line is blank");
}

TEST(InputCsv, NamesTextThatIsNoCsvForWhatItIs) {
  std::string utf16 = "\xFF\xFE";  // little-endian, as Windows editors save it
  for (const char c : kHeader + "\n" + kCountingRow + "\n") {
    utf16 += c;
    utf16 += '\0';
  }
  const std::string utf16Message =
      "line 1: the input holds NUL bytes or a UTF-16 byte-order mark: it is UTF-16 or "
      "binary, not a CSV text in ASCII or UTF-8";
  EXPECT_EQ(parse(utf16).error, utf16Message);
  EXPECT_EQ(parse("\xFF\xFE" + kHeader + "\n").error, utf16Message);
  EXPECT_EQ(parse(kHeader + "\r" + kCountingRow + "\r").error,
            "line 1: the lines end in a carriage return alone; they must end in LF or CRLF");
}

// The error for a file whose third data row (line 4) is `row`.
std::string errorOnLine4(const std::string& row) {
  const Parsed parsed = parse(kHeader + ",note\n" + kCountingRow + ",a\n" + kCountingRow + ",b\n" +
                              row + "\n" + kCountingRow + ",c\n");
  EXPECT_TRUE(parsed.headerOk);
  EXPECT_EQ(parsed.rows.size(), 2u) << "the rows before the bad one are read";
  EXPECT_EQ(parsed.last, Status::badInput);
  return parsed.error;
}

TEST(InputCsv, NamesLineAndColumnOfABadField) {
  EXPECT_EQ(errorOnLine4("1,2,3,abc,5,6,7,8,9,10,11,12,13,x"),
            "line 4, column 'theta1' (field 4): 'abc' is not a number");
  EXPECT_EQ(errorOnLine4("1,2,3,4,5,6,7,8,9,10,  ,12,13,x"),
            "line 4, column 'udc' (field 11): the field is empty");
  EXPECT_EQ(errorOnLine4("1,2,3,4,5,6,7,8,9,10,11,12,\"13\",x"),
            "line 4, column 'steerAngle' (field 13): quoted fields are not supported");
  EXPECT_EQ(errorOnLine4("1,2,3,4,5,6,7,8,0x9,10,11,12,13,x"),
            "line 4, column 'theta2' (field 9): '0x9' is not a number");
}

TEST(InputCsv, NamesTheFirstMissingFieldOfAShortRow) {
  EXPECT_EQ(errorOnLine4("1,2,3,4,5,6,7,8"),
            "line 4, column 'theta2' (field 9): the row ends after 8 fields; the header has 14");
  // Missing only the ignored last column is still a short row.
  EXPECT_EQ(errorOnLine4(kCountingRow),
            "line 4, column 'note' (field 14): the row ends after 13 fields; the header has 14");
}

TEST(InputCsv, RefusesARowLongerThanTheHeader) {
  EXPECT_EQ(errorOnLine4(kCountingRow + ",x,"),
            "line 4, field 15: the row has more fields than the header's 14");
}

TEST(InputCsv, RefusesABlankLineBetweenRows) {
  EXPECT_EQ(errorOnLine4(""),
            "line 4: blank line between rows (only the end of the file may be blank)");
}

TEST(InputCsv, ShowsFieldsEscapedAndCutInMessages) {
  // A NUL no longer cuts the message short; terminal controls are shown, not sent.
  EXPECT_EQ(errorOnLine4("1,2,3,4" + std::string(1, '\0') + "99,5,6,7,8,9,10,11,12,13,x"),
            "line 4, column 'theta1' (field 4): '4\\x0099' is not a number");
  EXPECT_EQ(errorOnLine4("1,2,3,\x1B[2J,5,6,7,8,9,10,11,12,13,x"),
            "line 4, column 'theta1' (field 4): '\\x1B[2J' is not a number");
  EXPECT_EQ(errorOnLine4("1,2,3," + std::string(100'000, '7') + "x,5,6,7,8,9,10,11,12,13,x"),
            "line 4, column 'theta1' (field 4): '" + std::string(40, '7') +
                "... (100001 bytes in all)' is not a number");
  // A header name that only reaches a message: escaped as well.
  const Parsed parsed = parse(kHeader + ",\x1B]0;title\x07\n" + kCountingRow + "\n");
  EXPECT_EQ(parsed.error,
            "line 2, column '\\x1B]0;title\\x07' (field 14): the row ends after 13 fields; the "
            "header has 14");
}

}  // namespace
