#include "plant/profile.h"

#include <algorithm>
#include <utility>

namespace substitute_host::plant {

Profile::Profile(std::vector<Point> points) : points_(std::move(points)) {}

double Profile::at(double time) const {
  if (points_.empty()) return 0.0;
  if (time <= points_.front().time) return points_.front().value;
  if (time >= points_.back().time) return points_.back().value;
  // First point strictly after `time`; the one before it is at or before `time`.
  const auto next = std::upper_bound(points_.begin(), points_.end(), time,
                                     [](double t, const Point& p) { return t < p.time; });
  return between(*(next - 1), *next, time);
}

}  // namespace substitute_host::plant
