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
  double at(double time, std::size_t& segment) const;
  const std::vector<Point>& points() const { return points_; }

 private:
  std::vector<Point> points_;
};

}  // namespace substitute_host::plant
