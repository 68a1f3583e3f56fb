#pragma once

#include <cstdint>
#include <string>

#include "matfile_in/mat_sniff.h"

namespace substitute_host {

// Checks the outline of a MAT file before the MAT library reads it, so that a file cut
// short or damaged in its outline is refused with a message instead of being read past
// its end: in a level-5 file, every top-level element must be a matrix or a compressed
// element that ends within the file, and hold what its dimensions say (a compressed one
// is inflated to check it, up to inflateLimit bytes, and refused beyond); a 7.3 file
// must carry the HDF5 signature at byte 512. False, with the fault in `problem`, when
// the outline is broken.
bool checkMatOutline(const std::string& path, MatKind kind, std::uint64_t inflateLimit,
                     std::string& problem);

}  // namespace substitute_host
