// The replay loop with a recording step in place of the controller: port layout, row
// order, the context pointer, and what is left written when the input goes bad.
#include "replay/csv_replay.h"

#include <gtest/gtest.h>

#include <array>
#include <bit>
#include <cstdint>
#include <string>
#include <vector>

#include "temp_stream.h"

namespace {

using substitute_host::replayCsv;
using Status = substitute_host::ReplayOutcome::Status;

const std::string kHeader =
    "iabc1_a,iabc1_b,iabc1_c,theta1,omega1,iabc2_a,iabc2_b,iabc2_c,theta2,omega2,udc,"
    "iqCommand,steerAngle";
const std::string kOutputHeader =
    "vabcNorm1_a,vabcNorm1_b,vabcNorm1_c,vabcNorm2_a,vabcNorm2_b,vabcNorm2_c\n";

// Port widths in port order; the step reads each port through its own pointer.
constexpr std::array<int, 9> kPortWidths = {3, 1, 1, 3, 1, 1, 1, 1, 1};

struct Recorder {
  std::vector<std::array<float, 13>> seen;
};

// Records the ports as seen and answers with (call number, first input of each port
// group) so the output shows both row order and which pointer went where.
void recordingStep(void* context, const float* const inputs[9], float* const outputs[2]) {
  auto& recorder = *static_cast<Recorder*>(context);
  std::array<float, 13> row{};
  std::size_t at = 0;
  for (std::size_t port = 0; port < kPortWidths.size(); ++port) {
    for (int k = 0; k < kPortWidths[port]; ++k) row[at++] = inputs[port][k];
  }
  recorder.seen.push_back(row);
  const float call = static_cast<float>(recorder.seen.size());
  outputs[0][0] = call;
  outputs[0][1] = inputs[0][2];
  outputs[0][2] = inputs[2][0];
  outputs[1][0] = inputs[3][0];
  outputs[1][1] = inputs[6][0];
  outputs[1][2] = inputs[8][0];
}

struct Replayed {
  substitute_host::ReplayOutcome outcome;
  std::string output;
  Recorder recorder;
};

Replayed replayText(const std::string& input) {
  Replayed run;
  FilePtr in = streamOf(input);
  FilePtr out = emptyStream();
  run.outcome = replayCsv(in.get(), out.get(), recordingStep, &run.recorder);
  run.output = contentsOf(out.get());
  return run;
}

TEST(CsvReplay, FeedsEachPortItsOwnColumnsAndKeepsRowOrder) {
  const Replayed run = replayText(kHeader +
                                  "\n1,2,3,4,5,6,7,8,9,10,11,12,13\n"
                                  "-1,-2,-3,-4,-5,-6,-7,-8,-9,-10,-11,-12,-13\n");
  ASSERT_EQ(run.outcome.status, Status::ok) << run.outcome.error;
  EXPECT_EQ(run.outcome.rowsWritten, 2u);
  ASSERT_EQ(run.recorder.seen.size(), 2u);
  for (std::size_t i = 0; i < 13; ++i) {
    EXPECT_EQ(run.recorder.seen[0][i], static_cast<float>(i + 1));
    EXPECT_EQ(run.recorder.seen[1][i], -static_cast<float>(i + 1));
  }
  EXPECT_EQ(run.output, kOutputHeader + "1,3,5,6,11,13\n2,-3,-5,-6,-11,-13\n");
}

TEST(CsvReplay, StopsAtABadRowWithTheRowsBeforeItWritten) {
  const std::string good = "1,2,3,4,5,6,7,8,9,10,11,12,13\n";
  const Replayed run =
      replayText(kHeader + "\n" + good + good + "1,2,3,4,5,6,7,8,9,10,11,12\n" + good);
  EXPECT_EQ(run.outcome.status, Status::badInput);
  EXPECT_EQ(run.outcome.rowsWritten, 2u);
  EXPECT_EQ(
      run.outcome.error,
      "line 4, column 'steerAngle' (field 13): the row ends after 12 fields; the header has 13");
  EXPECT_EQ(run.recorder.seen.size(), 2u) << "the bad row and those after it are not stepped";
  EXPECT_EQ(run.output, kOutputHeader + "1,3,5,6,11,13\n2,3,5,6,11,13\n");
}

TEST(CsvReplay, WritesNothingForABadHeaderAndOnlyTheHeaderForNoRows) {
  Replayed run = replayText("iabc1_a,theta1\n1,2\n");
  EXPECT_EQ(run.outcome.status, Status::badInput);
  EXPECT_EQ(run.output, "");
  EXPECT_TRUE(run.recorder.seen.empty());

  run = replayText(kHeader + "\n");
  EXPECT_EQ(run.outcome.status, Status::ok);
  EXPECT_EQ(run.outcome.rowsWritten, 0u);
  EXPECT_EQ(run.output, kOutputHeader);
}

TEST(CsvReplay, ReportsFailedStreams) {
  Recorder recorder;
  FilePtr directory(std::fopen("/", "rb"));
  FilePtr out = emptyStream();
  ASSERT_NE(directory, nullptr);
  auto outcome = replayCsv(directory.get(), out.get(), recordingStep, &recorder);
  EXPECT_EQ(outcome.status, Status::readFailed);
  EXPECT_NE(outcome.error.find("reading failed"), std::string::npos) << outcome.error;

  FilePtr in = streamOf(kHeader + "\n1,2,3,4,5,6,7,8,9,10,11,12,13\n");
  FilePtr full(std::fopen("/dev/full", "wb"));
  ASSERT_NE(full, nullptr);
  outcome = replayCsv(in.get(), full.get(), recordingStep, &recorder);
  EXPECT_EQ(outcome.status, Status::writeFailed);
  EXPECT_NE(outcome.error.find("writing the output failed"), std::string::npos) << outcome.error;
}

}  // namespace
