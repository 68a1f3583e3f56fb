#include "simulate/progress_bar.h"

#include <algorithm>
#include <string>

namespace substitute_host::simulate {

namespace {
constexpr int kWidth = 40;
}

void ProgressBar::update(double fraction, double elapsedSeconds) {
  if (out_ == nullptr || elapsedSeconds < kQuietSeconds) return;
  if (shown_ && elapsedSeconds - lastDraw_ < kRedrawSeconds) return;
  fraction = std::clamp(fraction, 0.0, 1.0);
  const int filled = static_cast<int>(fraction * kWidth);
  *out_ << "\r[" << std::string(filled, '#') << std::string(kWidth - filled, '.') << "] "
        << static_cast<int>(fraction * 100.0) << " %" << std::flush;
  shown_ = true;
  lastDraw_ = elapsedSeconds;
}

void ProgressBar::finish() {
  if (!shown_) return;
  // Overwrite the bar with blanks so that the summary starts on a clean line.
  *out_ << '\r' << std::string(kWidth + 8, ' ') << '\r' << std::flush;
  shown_ = false;
}

}  // namespace substitute_host::simulate
