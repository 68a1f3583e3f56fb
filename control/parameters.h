#pragma once

#include <bit>
#include <cstdint>

// The controller's tuning: twenty compiled-in single-precision constants. Each one is
// checked below against the exact encoding that every result of the controller was
// worked out with, so a changed literal is a build error rather than a silent drift.

inline constexpr float kSteerRatioNum = 1.05f;     // track width of the steering ratio
inline constexpr float kSteerRatioDen = 1.13f;     // wheelbase of the steering ratio
inline constexpr float kFwIdMin = -285.0f;         // most negative d-current reference
inline constexpr float kFwIdMax = 0.0f;            // the d-current reference is never positive
inline constexpr float kCurrentLimit = 300.0f;     // current magnitude limit
inline constexpr float kVoltageMin = -201.6747f;   // lower limit of the axis voltages
inline constexpr float kVoltageMax = 201.6747f;    // upper limit of the axis voltages
inline constexpr float kSpeedTi = 1.0f;
inline constexpr float kSpeedKp = 1000.0f;
inline constexpr float kFwTi = 0.0005f;
inline constexpr float kFwKp = 50.0f;
inline constexpr float kIqTi = 0.02f;
inline constexpr float kIqKp = 6.0f;
inline constexpr float kIdTi = 0.0001f;
inline constexpr float kIdKp = 3.0f;
inline constexpr float kPsiPm = 0.08f;             // magnet flux (Wb)
inline constexpr float kLq = 0.000383968f;         // q inductance (H)
inline constexpr float kLd = 0.000383968f;         // d inductance (H)
inline constexpr float kRs = 0.012f;               // stator resistance (ohm)
inline constexpr float kTs = 0.00005f;             // step of every PI integration (s)

constexpr std::uint32_t bitsOf(float value) { return std::bit_cast<std::uint32_t>(value); }
constexpr std::uint64_t bitsOf(double value) { return std::bit_cast<std::uint64_t>(value); }

static_assert(bitsOf(kSteerRatioNum) == 0x3F866666u);
static_assert(bitsOf(kSteerRatioDen) == 0x3F90A3D7u);
static_assert(bitsOf(kFwIdMin) == 0xC38E8000u);
static_assert(bitsOf(kFwIdMax) == 0x00000000u);
static_assert(bitsOf(kCurrentLimit) == 0x43960000u);
static_assert(bitsOf(kVoltageMin) == 0xC349ACB9u);
static_assert(bitsOf(kVoltageMax) == 0x4349ACB9u);
static_assert(bitsOf(kSpeedTi) == 0x3F800000u);
static_assert(bitsOf(kSpeedKp) == 0x447A0000u);
static_assert(bitsOf(kFwTi) == 0x3A03126Fu);
static_assert(bitsOf(kFwKp) == 0x42480000u);
static_assert(bitsOf(kIqTi) == 0x3CA3D70Au);
static_assert(bitsOf(kIqKp) == 0x40C00000u);
static_assert(bitsOf(kIdTi) == 0x38D1B717u);
static_assert(bitsOf(kIdKp) == 0x40400000u);
static_assert(bitsOf(kPsiPm) == 0x3DA3D70Au);
static_assert(bitsOf(kLq) == 0x39C94F50u);
static_assert(bitsOf(kLd) == 0x39C94F50u);
static_assert(bitsOf(kRs) == 0x3C449BA6u);
static_assert(bitsOf(kTs) == 0x3851B717u);
