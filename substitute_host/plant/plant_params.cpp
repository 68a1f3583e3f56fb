#include "plant/plant_params.h"

#include <array>

namespace substitute_host::plant {

namespace {

using P = PlantParams;
using R = ParamRange;

// Inductances must stay positive (they divide the current derivatives); loss terms
// may be zero to switch them off.
constexpr std::array<PlantParamInfo, 17> kTable{{
    {"statorResistance", &P::statorResistance, R::NonNegative},
    {"inductanceD", &P::inductanceD, R::Positive},
    {"inductanceQ", &P::inductanceQ, R::Positive},
    {"magnetFlux", &P::magnetFlux, R::NonNegative},
    {"rotorInertia", &P::rotorInertia, R::NonNegative},
    {"gearRatio", &P::gearRatio, R::Positive},
    {"wheelRadius", &P::wheelRadius, R::Positive},
    {"wheelInertia", &P::wheelInertia, R::Positive},
    {"tyreSlipStiffness", &P::tyreSlipStiffness, R::Positive},
    {"tyreFriction", &P::tyreFriction, R::Positive},
    {"vehicleMass", &P::vehicleMass, R::Positive},
    {"rearLoadShare", &P::rearLoadShare, R::Fraction},
    {"track", &P::track, R::Positive},
    {"wheelbase", &P::wheelbase, R::Positive},
    {"rollingResistance", &P::rollingResistance, R::NonNegative},
    {"dragArea", &P::dragArea, R::NonNegative},
    {"airDensity", &P::airDensity, R::NonNegative},
}};

}  // namespace

std::span<const PlantParamInfo> plantParamTable() { return kTable; }

}  // namespace substitute_host::plant
