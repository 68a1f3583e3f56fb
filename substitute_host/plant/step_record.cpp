#include "plant/step_record.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <utility>

#include "block_ports.h"

namespace substitute_host::plant {

namespace {

using R = StepRecord;

template <std::size_t I>
double in(const R& r) {
  return r.inputs[I];
}
template <std::size_t I>
double out(const R& r) {
  return r.outputs[I];
}

template <int M, double R::Motor::*Field>
double motorField(const R& r) {
  return r.motor[M].*Field;
}

using Mo = R::Motor;

// The block's signals carry the names of the port map, the names the replay reads, so
// that a log replays as written; one column per signal, in port order.
template <std::size_t... I>
constexpr std::array<RecordColumn, sizeof...(I)> inputColumns(std::index_sequence<I...>) {
  return {{{kInputSignalNames[I].view(), in<I>, true}...}};
}
template <std::size_t... I>
constexpr std::array<RecordColumn, sizeof...(I)> outputColumns(std::index_sequence<I...>) {
  return {{{kOutputSignalNames[I].view(), out<I>, true}...}};
}

constexpr std::array<RecordColumn, 1> kTimeColumn{{
    {"time_s", [](const R& r) { return r.time; }, false},
}};

constexpr std::array<RecordColumn, 16> kPlantColumns{{
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

template <std::size_t... N>
constexpr std::array<RecordColumn, (N + ...)> joined(const std::array<RecordColumn, N>&... parts) {
  std::array<RecordColumn, (N + ...)> all{};
  auto next = all.begin();
  ((next = std::copy(parts.begin(), parts.end(), next)), ...);
  return all;
}

// Time, the block's inputs, its outputs, then the plant.
constexpr auto kColumns =
    joined(kTimeColumn, inputColumns(std::make_index_sequence<kInputSignalCount>()),
           outputColumns(std::make_index_sequence<kOutputSignalCount>()), kPlantColumns);

}  // namespace

std::span<const RecordColumn> recordColumns() { return kColumns; }

static_assert(kColumns.size() == kRecordColumnCount);

// In the order of kColumns: time, the block's inputs, its outputs, then the plant.
void recordValues(const StepRecord& r, std::span<double, kRecordColumnCount> values) {
  double* next = values.data();
  *next++ = r.time;
  next = std::copy(std::begin(r.inputs), std::end(r.inputs), next);
  next = std::copy(std::begin(r.outputs), std::end(r.outputs), next);
  for (const R::Motor& m : r.motor) {
    for (const double v : {m.id, m.iq, m.torque, m.modIndex, m.idealOmega, m.slip}) *next++ = v;
  }
  for (const double v : {r.speed, r.yawRate, r.x, r.y}) *next++ = v;
}

}  // namespace substitute_host::plant
