#pragma once

#include <filesystem>
#include <string>

namespace substitute_host::matfile_out {

// Where a MAT file goes: its final name, and the hidden name beside it that holds the
// file until it is complete (".NAME.<process>-<n>.part", in the same folder so that the
// rename stays within one file system).
struct PlacedOutput {
  std::filesystem::path finalPath;
  std::filesystem::path temporaryPath;
};

// Checks that path may take a MAT file (a symbolic link: the file it leads to) and
// reserves the hidden name by creating it empty. A folder, a device or pipe (MAT files
// are written by seeking, so they must be files), and a file the user may not write are
// refused, with error saying why.
bool reserveTemporary(const std::string& path, PlacedOutput& placed, std::string& error);

// Removes the hidden file, if any; a file that cannot be removed stays under its hidden
// name.
void removeTemporary(PlacedOutput& placed);

}  // namespace substitute_host::matfile_out
