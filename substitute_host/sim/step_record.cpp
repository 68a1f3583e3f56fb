#include "sim/step_record.h"

#include <array>

namespace substitute_host::sim {

namespace {

using R = StepRecord;

template <int I>
double in(const R& r) {
  return r.inputs[I];
}
template <int I>
double out(const R& r) {
  return r.outputs[I];
}

template <int M, double R::Motor::*Field>
double motorField(const R& r) {
  return r.motor[M].*Field;
}

using Mo = R::Motor;

constexpr std::array<RecordColumn, 36> kColumns{{
    {"time_s", [](const R& r) { return r.time; }, false},
    {"ia1_A", in<0>, true},
    {"ib1_A", in<1>, true},
    {"ic1_A", in<2>, true},
    {"theta1_rad", in<3>, true},
    {"omega1_rad_s", in<4>, true},
    {"ia2_A", in<5>, true},
    {"ib2_A", in<6>, true},
    {"ic2_A", in<7>, true},
    {"theta2_rad", in<8>, true},
    {"omega2_rad_s", in<9>, true},
    {"udc_V", in<10>, true},
    {"iqCommand_A", in<11>, true},
    {"steerAngle_rad", in<12>, true},
    {"vaNorm1", out<0>, true},
    {"vbNorm1", out<1>, true},
    {"vcNorm1", out<2>, true},
    {"vaNorm2", out<3>, true},
    {"vbNorm2", out<4>, true},
    {"vcNorm2", out<5>, true},
    {"id1_A", motorField<0, &Mo::id>, false},
    {"iq1_A", motorField<0, &Mo::iq>, false},
    {"torque1_Nm", motorField<0, &Mo::torque>, false},
    {"modIndex1", motorField<0, &Mo::modIndex>, false},
    {"omega1Ideal_rad_s", motorField<0, &Mo::idealOmega>, false},
    {"slip1", motorField<0, &Mo::slip>, false},
    {"id2_A", motorField<1, &Mo::id>, false},
    {"iq2_A", motorField<1, &Mo::iq>, false},
    {"torque2_Nm", motorField<1, &Mo::torque>, false},
    {"modIndex2", motorField<1, &Mo::modIndex>, false},
    {"omega2Ideal_rad_s", motorField<1, &Mo::idealOmega>, false},
    {"slip2", motorField<1, &Mo::slip>, false},
    {"speed_m_s", [](const R& r) { return r.speed; }, false},
    {"yawRate_rad_s", [](const R& r) { return r.yawRate; }, false},
    {"x_m", [](const R& r) { return r.x; }, false},
    {"y_m", [](const R& r) { return r.y; }, false},
}};

// Time, then one column per input and output signal of the port map, then the plant.
static_assert(kColumns.size() == 1 + kInputSignalCount + kOutputSignalCount + 16);

}  // namespace

std::span<const RecordColumn> recordColumns() { return kColumns; }

}  // namespace substitute_host::sim
