#include "plant/profile.h"

#include <algorithm>
#include <utility>

namespace substitute_host::plant {

Profile::Profile(std::vector<Point> points) : points_(std::move(points)) {}

namespace {

// Linear between a, at or before `time`, and b, after it.
double between(const Profile::Point& a, const Profile::Point& b, double time) {
  const double w = (time - a.time) / (b.time - a.time);
  return a.value + w * (b.value - a.value);
}

}  // namespace

double Profile::at(double time) const {
  if (points_.empty()) return 0.0;
  if (time <= points_.front().time) return points_.front().value;
  if (time >= points_.back().time) return points_.back().value;
  // First point strictly after `time`; the one before it is at or before `time`.
  const auto next = std::upper_bound(points_.begin(), points_.end(), time,
                                     [](double t, const Point& p) { return t < p.time; });
  return between(*(next - 1), *next, time);
}

double Profile::at(double time, std::size_t& segment) const {
  if (points_.empty()) return 0.0;
  if (time <= points_.front().time) return points_.front().value;
  if (time >= points_.back().time) return points_.back().value;
  if (segment + 1 >= points_.size() || points_[segment].time > time) segment = 0;
  while (points_[segment + 1].time <= time) ++segment;
  return between(points_[segment], points_[segment + 1], time);
}

}  // namespace substitute_host::plant
