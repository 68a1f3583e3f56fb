#pragma once

#include <string>

#include "matfile_in/mat_row_source.h"

namespace substitute_host {

// Reads a 7.3 file once through, in a child process, before the tool reads it itself.
// The HDF5 library beneath matio trusts the file's internal addresses and can fault on
// a crafted file; the child takes that fault instead of the tool. False, with the
// fault in `problem`, when the child did not come through; true when it did, or when it
// refused the file by a message of its own, which the tool then gives itself.
bool probeInChild(const std::string& path, const MatReadOptions& options, std::string& problem);

}  // namespace substitute_host
