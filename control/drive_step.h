#pragma once

// One output step of the two-motor drive: the electronic differential, then the
// field-oriented channel of motor 1, then that of motor 2. The arguments are the
// block's port buffers in port order; the outputs are written in place.
void driveOutputs(const float* iabc1, const float* theta1, const float* omega1,
                  const float* iabc2, const float* theta2, const float* omega2,
                  const float* udc, const float* iqCommand, const float* steerAngle,
                  float* vabcNorm1, float* vabcNorm2);
