#pragma once

#include <cstddef>
#include <string>

namespace substitute_host {

// What a file's first bytes say it is: a MAT file of level 5 (compressed or not), one
// of version 7.3 (an HDF5 file behind the same 128-byte header), or something else.
enum class MatKind { none, level5, hdf5 };

// The header that opens every MAT file read here.
inline constexpr std::size_t kMatHeaderBytes = 128;

// Judges the first bytes of a file; `size` is how many there are (fewer than the
// header's when the file is that short).
MatKind matKindOf(const unsigned char* bytes, std::size_t size);

// Judges the file at path by its content, whatever its name ends in. Only a regular
// file is looked at: a pipe or a device would lose what was read from it.
MatKind matKindOfFile(const std::string& path);

}  // namespace substitute_host
