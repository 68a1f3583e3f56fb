#include "sim/plant_params.h"

#include <array>

namespace substitute_host::sim {

namespace {

using P = PlantParams;
using R = ParamRange;

// Inductances must stay positive (they divide the current derivatives); loss terms
// may be zero to switch them off.
constexpr std::array<PlantParamInfo, 17> kTable{{
    {"statorResistance", &P::statorResistance, R::NonNegative, "ohm"},
    {"inductanceD", &P::inductanceD, R::Positive, "H"},
    {"inductanceQ", &P::inductanceQ, R::Positive, "H"},
    {"magnetFlux", &P::magnetFlux, R::NonNegative, "Wb"},
    {"rotorInertia", &P::rotorInertia, R::NonNegative, "kg m^2"},
    {"gearRatio", &P::gearRatio, R::Positive, "1"},
    {"wheelRadius", &P::wheelRadius, R::Positive, "m"},
    {"wheelInertia", &P::wheelInertia, R::Positive, "kg m^2"},
    {"tyreSlipStiffness", &P::tyreSlipStiffness, R::Positive, "1"},
    {"tyreFriction", &P::tyreFriction, R::Positive, "1"},
    {"vehicleMass", &P::vehicleMass, R::Positive, "kg"},
    {"rearLoadShare", &P::rearLoadShare, R::Fraction, "1"},
    {"track", &P::track, R::Positive, "m"},
    {"wheelbase", &P::wheelbase, R::Positive, "m"},
    {"rollingResistance", &P::rollingResistance, R::NonNegative, "1"},
    {"dragArea", &P::dragArea, R::NonNegative, "m^2"},
    {"airDensity", &P::airDensity, R::NonNegative, "kg/m^3"},
}};

}  // namespace

std::span<const PlantParamInfo> plantParamTable() { return kTable; }

}  // namespace substitute_host::sim
