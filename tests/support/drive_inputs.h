#pragma once

#include <random>

// One sample of the block's nine input ports, in port order.
struct DriveInputs {
  float iabc1[3], theta1, omega1, iabc2[3], theta2, omega2, udc, iqCommand, steerAngle;
};

// The worked example of the drive step: two calls with these inputs from the zero state.
inline const DriveInputs kWorkedExampleInputs = {
    {-7.57f, 8, -0.43f}, 0.5f, 100, {5, -2, -3}, 1.2f, 100, 400, 0, 0.005f};

// Varied inputs over the ranges a drive meets, and beyond where the clamps act.
inline DriveInputs randomDriveInputs(std::mt19937& rng) {
  std::uniform_real_distribution<float> current(-300, 300), angle(0, 6.2831853f),
      speed(-50, 400), link(300, 420), command(-200, 200), steer(-0.5f, 0.5f);
  return {{current(rng), current(rng), current(rng)}, angle(rng), speed(rng),
          {current(rng), current(rng), current(rng)}, angle(rng), speed(rng),
          link(rng), command(rng), steer(rng)};
}
