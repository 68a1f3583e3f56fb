#include "simulate/output_messages.h"

#include <cstring>

#include "text/display_text.h"

namespace substitute_host::simulate {

namespace {
constexpr std::size_t kShownPathBytes = 200;
}  // namespace

std::string shownPath(const std::filesystem::path& path) {
  return displayText(path.string(), kShownPathBytes);
}

std::string failureReason(int error) {
  return error != 0 ? std::strerror(error) : "the stream failed";
}

}  // namespace substitute_host::simulate
