#include "table/fields.h"

#include <cstring>

namespace substitute_host {

std::string_view trimField(std::string_view field) {
  std::size_t first = 0;
  std::size_t last = field.size();
  while (first < last && (field[first] == ' ' || field[first] == '\t')) ++first;
  while (last > first && (field[last - 1] == ' ' || field[last - 1] == '\t')) --last;
  return field.substr(first, last - first);
}

void splitFields(std::string_view line, std::vector<std::string_view>& fields) {
  fields.clear();
  const char* cursor = line.data();
  const char* const end = cursor + line.size();
  for (;;) {
    const char* comma = static_cast<const char*>(std::memchr(cursor, ',', end - cursor));
    const char* const fieldEnd = comma != nullptr ? comma : end;
    fields.emplace_back(cursor, static_cast<std::size_t>(fieldEnd - cursor));
    if (comma == nullptr) return;
    cursor = comma + 1;
  }
}

}  // namespace substitute_host
