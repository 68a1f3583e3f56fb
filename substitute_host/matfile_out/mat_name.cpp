#include "matfile_out/mat_name.h"

namespace substitute_host::matfile_out {

namespace {
bool isLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
bool isNameChar(char c) { return isLetter(c) || (c >= '0' && c <= '9') || c == '_'; }
}  // namespace

std::string validMatName(std::string_view name) {
  std::string valid;
  if (name.empty() || !isLetter(name.front())) valid += 'x';
  for (const char c : name) {
    if (valid.size() == kMaxMatNameLength) break;
    valid += isNameChar(c) ? c : '_';
  }
  return valid;
}

}  // namespace substitute_host::matfile_out
