#pragma once

#include <ostream>

namespace substitute_host::simulate {

// A one-line bar for runs that take a while. It keeps quiet for the first second,
// so short runs print nothing, and redraws at most ten times a second.
class ProgressBar {
 public:
  static constexpr double kQuietSeconds = 1.0;
  static constexpr double kRedrawSeconds = 0.1;

  explicit ProgressBar(std::ostream* out) : out_(out) {}

  void update(double fraction, double elapsedSeconds);
  // Removes the bar again, if one was drawn.
  void finish();

 private:
  std::ostream* out_;
  bool shown_ = false;
  double lastDraw_ = 0.0;
};

}  // namespace substitute_host::simulate
