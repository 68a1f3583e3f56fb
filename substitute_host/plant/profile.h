#pragma once

#include <cstddef>
#include <vector>

namespace substitute_host::plant {

// A signal given as [time, value] points, linear in between. Before the first point
// the first value holds and after the last point the last value holds, so a single
// point is a constant. A step is two points close together.
class Profile {
 public:
  struct Point {
    double time;
    double value;
  };

  Profile() = default;
  // The points must be non-empty with strictly increasing times (the scenario
  // parser checks that before building one).
  explicit Profile(std::vector<Point> points);

  double at(double time) const;
  // The same value, for a caller whose times only grow (a run's steps): `segment`, zero
  // at first, remembers where the last lookup ended, so that each costs a comparison or
  // two instead of a search. An earlier time starts again from the first point.
  double at(double time, std::size_t& segment) const {
    if (points_.empty()) return 0.0;
    if (time <= points_.front().time) return points_.front().value;
    if (time >= points_.back().time) return points_.back().value;
    if (segment + 1 >= points_.size() || points_[segment].time > time) segment = 0;
    while (points_[segment + 1].time <= time) ++segment;
    return between(points_[segment], points_[segment + 1], time);
  }
  const std::vector<Point>& points() const { return points_; }

 private:
  // Linear between a, at or before `time`, and b, after it.
  static double between(const Point& a, const Point& b, double time) {
    const double w = (time - a.time) / (b.time - a.time);
    return a.value + w * (b.value - a.value);
  }

  std::vector<Point> points_;
};

}  // namespace substitute_host::plant
