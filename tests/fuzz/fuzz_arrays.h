#pragma once

// Host arrays of any class, shape and contents, chosen by the fuzzer's bytes, and the
// gateway the targets call: the plug-in's own, linked in, so that the fuzzer sees the
// coverage of its code (the gateway suite calls it through the loaded module).

#include <cstdint>
#include <string>

#include "fuzz_support.h"
#include "loader/plugin_module.h"
#include "runtime/host_arrays.h"

namespace fuzz {

// Values that the gateway treats specially (flags, stamps, limits), then raw bits.
double chosenDouble(ByteSource& in);

// An array of a class, shape and contents taken from `in`. A shape whose bytes do not
// fit a size_t must be refused by the host; the array made instead is an empty double.
substitute_host::OwnedArray chosenArray(ByteSource& in);

// The plug-in's gateway and version query, as the loader would find them in the module.
const substitute_host::PluginModule& moduleUnderTest();

}  // namespace fuzz
