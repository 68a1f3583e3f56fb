#pragma once

#include <string_view>

#include "block_step.h"
#include "plant/sensors.h"

namespace substitute_host::plant {

// The block's port buffers, laid out once by the port map and reused every step, with
// the signals the closed loop reads and writes found by their port names.
struct PortBuffers : PortRow {
  float* iabc[2] = {port("iabc1"), port("iabc2")};
  float* theta[2] = {port("theta1"), port("theta2")};
  float* omega[2] = {port("omega1"), port("omega2")};
  float& udc = *port("udc");
  float& iqCommand = *port("iqCommand");
  float& steerAngle = *port("steerAngle");
  float* vabcNorm[2] = {outputPorts[0], outputPorts[1]};

  void setMotor(int m, const MotorReadings& r) {
    for (int i = 0; i < 3; ++i) iabc[m][i] = r.iabc[i];
    *theta[m] = r.theta;
    *omega[m] = r.omega;
  }

 private:
  float* port(std::string_view name) {
    for (const BlockPort& entry : kInputPorts)
      if (entry.name == name) return inputs + signalOffset(kInputPorts, entry.index);
    return nullptr;
  }
};

}  // namespace substitute_host::plant
