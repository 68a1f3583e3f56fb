#pragma once

#include <string>

#include "sweep/sweep_definition.h"

namespace substitute_host::sweep {

// A varied value is addressed by a dotted path into the scenario: a top-level number
// (`duration`, `substeps`, `initialSpeed`), a plant value (`plant.vehicleMass`) or one
// coordinate of a profile's point (`profiles.udc.0.1`: point 0's value; `.0` is its
// time). A point must exist in the base scenario: a sweep varies a manoeuvre, it does
// not invent one.

// Empty when key addresses such a value of this scenario, else why not.
std::string dottedKeyProblem(const Json& scenario, const std::string& key);

// Sets the addressed value (which dottedKeyProblem accepted). A whole number is written
// as one, so that `substeps` reads as the whole number it must be.
void applyDottedKey(Json& scenario, const std::string& key, double value);

}  // namespace substitute_host::sweep
