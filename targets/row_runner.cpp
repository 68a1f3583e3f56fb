// The drive step on the target: reads rows of the block's thirteen input signals from
// rows.in in the current folder, runs one drive step per row from the zero state, and
// writes the six output signals of each row to rows.out. Both files hold raw
// little-endian singles in port order (iabc1_a..c, theta1, omega1, iabc2_a..c, theta2,
// omega2, udc, iqCommand, steerAngle in; vabcNorm1_a..c, vabcNorm2_a..c out); the host
// converts to and from CSV. On the Cortex-M boards the files are the host's, reached
// through semihosting. The exit status says what went wrong.
#include <cstddef>
#include <cstdio>

#include "control/drive_step.h"
#include "fp_control.h"

namespace {

constexpr int kExitOk = 0;
constexpr int kExitCannotOpen = 3;
constexpr int kExitBrokenRows = 4;   // a read or write failed, or a row was cut short
constexpr int kExitWrongFpMode = 5;  // flush-to-zero or default-NaN is on

constexpr std::size_t kInputsPerRow = 13;
constexpr std::size_t kOutputsPerRow = 6;
// Rows move in blocks, so that a semihosting call carries many of them.
constexpr std::size_t kRowsPerBlock = 64;

float inputBlock[kRowsPerBlock][kInputsPerRow];
float outputBlock[kRowsPerBlock][kOutputsPerRow];

void step(const float* in, float* out) {
  driveOutputs(in + 0, in + 3, in + 4, in + 5, in + 8, in + 9, in + 10, in + 11, in + 12,
               out + 0, out + 3);
}

// Runs every row of in through the controller; kExitOk when all were written whole.
int runRows(std::FILE* in, std::FILE* out) {
  for (;;) {
    const std::size_t rows = std::fread(inputBlock, sizeof inputBlock[0], kRowsPerBlock, in);
    for (std::size_t r = 0; r < rows; ++r) step(inputBlock[r], outputBlock[r]);
    if (std::fwrite(outputBlock, sizeof outputBlock[0], rows, out) != rows) return kExitBrokenRows;
    if (rows < kRowsPerBlock) break;
  }
  // A partial row left over, or a read error, means the file was not what the host wrote.
  if (std::ferror(in) || std::fgetc(in) != EOF) return kExitBrokenRows;
  return kExitOk;
}

}  // namespace

int main() {
  const std::uint32_t control = floatingPointControl();
  if ((control & (kFlushToZeroBit | kDefaultNanBit)) != 0) {
    std::fprintf(stderr, "floating-point control 0x%08lx has flush-to-zero or default-NaN set\n",
                 static_cast<unsigned long>(control));
    return kExitWrongFpMode;
  }
  std::FILE* in = std::fopen("rows.in", "rb");
  if (in == nullptr) {
    std::fputs("cannot open rows.in\n", stderr);
    return kExitCannotOpen;
  }
  std::FILE* out = std::fopen("rows.out", "wb");
  if (out == nullptr) {
    std::fclose(in);
    std::fputs("cannot open rows.out\n", stderr);
    return kExitCannotOpen;
  }
  int status = runRows(in, out);
  std::fclose(in);
  if (std::fclose(out) != 0 && status == kExitOk) status = kExitBrokenRows;
  if (status == kExitBrokenRows) std::fputs("reading rows.in or writing rows.out failed\n", stderr);
  return status;
}
