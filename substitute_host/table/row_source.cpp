#include "table/row_source.h"

#include <cstdlib>
#include <string>

namespace substitute_host {

bool RowSource::readDouble(std::size_t index, double& value) {
  const std::string text(field(index));
  char* stop = nullptr;
  // The C library's reading, correctly rounded, as a reader of the text would take it.
  value = text.empty() ? 0.0 : std::strtod(text.c_str(), &stop);
  return text.empty() || stop == text.c_str() + text.size();
}

}  // namespace substitute_host
