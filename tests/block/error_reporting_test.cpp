#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "error_reporting.h"
#include "tests/support/recording_host_block.h"
#include "runtime/gateway_call.h"

namespace {

using test_doubles::RecordingHostBlock;

TEST(ReportBlockError, PointsTheRootsStatusAtTheTextAndClearsTheErrorKind) {
  RecordingHostBlock root("root");
  RecordingHostBlock block("Corvalent2", &root);
  static const char kText[] = "fixed";
  root.modelInfo().flags = 0x10 | 0x01;
  reportBlockError(block.record(), kText);
  EXPECT_EQ(root.record()->errorStatus, kText);
  EXPECT_EQ(block.record()->errorStatus, nullptr);
  EXPECT_EQ(root.modelInfo().flags, 0x01);
  reportBlockError(block.record(), kText);  // clear stays clear
  EXPECT_EQ(root.modelInfo().flags, 0x01);
}

// The text goes into the root's buffer, and the root's status points at it.
TEST(ReportFormattedBlockError, CopiesTheTextWithItsTerminatorIntoTheRootsBuffer) {
  RecordingHostBlock root("root");
  RecordingHostBlock block("Corvalent2", &root);
  std::memset(root.errorBuffer(), 'x', 1024);
  std::memset(block.errorBuffer(), 'y', 1024);
  root.modelInfo().flags = 0x10;
  reportFormattedBlockError(block.record(), "0123456789");
  EXPECT_EQ(root.record()->errorStatus, root.errorBuffer());
  EXPECT_STREQ(root.errorBuffer(), "0123456789");
  EXPECT_EQ(root.errorBuffer()[11], 'x');  // eleven bytes copied, no more
  EXPECT_EQ(root.modelInfo().flags, 0);
  EXPECT_EQ(block.record()->errorStatus, nullptr);
  EXPECT_EQ(block.errorBuffer()[0], 'y');
}

// A text too long for the buffer is cut to 1023 characters and stays terminated, also
// in a buffer the host did not zero.
TEST(ReportFormattedBlockError, CutsALongTextInAnUnzeroedBuffer) {
  RecordingHostBlock block;
  std::memset(block.errorBuffer(), 'x', 1024);
  const std::string text(2000, 'a');
  reportFormattedBlockError(block.record(), text.c_str());
  EXPECT_EQ(std::string(block.record()->errorStatus), std::string(1023, 'a'));
  const std::string exact(1023, 'b');
  reportFormattedBlockError(block.record(), exact.c_str());
  EXPECT_EQ(std::string(block.record()->errorStatus), std::string(1023, 'b'));
}

TEST(WarnWithBlockPath, PrefixesThePathWhenThereIsOne) {
  RecordingHostBlock block;
  substitute_host::takeStrayWarnings();
  block.record()->path = "Corvalent2";
  warnWithBlockPath(block.record(), "w");
  block.record()->path = nullptr;
  warnWithBlockPath(block.record(), "bare message");
  EXPECT_EQ(substitute_host::takeStrayWarnings(),
            (std::vector<std::string>{"block 'Corvalent2': w", "bare message"}));
  EXPECT_EQ(block.record()->errorStatus, nullptr);
}

}  // namespace
