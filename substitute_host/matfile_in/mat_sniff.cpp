#include "matfile_in/mat_sniff.h"

#include <sys/stat.h>

#include <cstdio>

namespace substitute_host {
namespace {

// The header ends in the version (2 bytes) and the endian mark "IM" or "MI", which
// says how the writer stored the version: 0x0100 for level 5, 0x0200 for 7.3.
unsigned versionOf(const unsigned char* header) {
  if (header[126] == 'I' && header[127] == 'M') return header[124] | (header[125] << 8u);
  if (header[126] == 'M' && header[127] == 'I') return (header[124] << 8u) | header[125];
  return 0;
}

}  // namespace

MatKind matKindOf(const unsigned char* bytes, std::size_t size) {
  if (size < kMatHeaderBytes) return MatKind::none;
  // A level-5 header is text; a NUL among its first four bytes marks the older level 4,
  // which is not read.
  for (std::size_t i = 0; i < 4; ++i) {
    if (bytes[i] == 0) return MatKind::none;
  }
  switch (versionOf(bytes)) {
    case 0x0100:
      return MatKind::level5;
    case 0x0200:
      return MatKind::hdf5;
    default:
      return MatKind::none;
  }
}

MatKind matKindOfFile(const std::string& path) {
  struct stat status {};
  if (::stat(path.c_str(), &status) != 0 || !S_ISREG(status.st_mode)) return MatKind::none;
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (file == nullptr) return MatKind::none;
  unsigned char bytes[kMatHeaderBytes] = {};
  const std::size_t size = std::fread(bytes, 1, sizeof bytes, file);
  std::fclose(file);
  return matKindOf(bytes, size);
}

}  // namespace substitute_host
