#include "plant/json_checks.h"

#include <algorithm>
#include <charconv>
#include <set>
#include <vector>

#include "text/display_text.h"

namespace substitute_host::plant::json_checks {

void refuse(const std::string& path, const std::string& reason) {
  throw Refusal("scenario: " + (path.empty() ? std::string() : path + ": ") + reason);
}

std::string formatNumber(double value) {
  char buffer[32];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
  return std::string(buffer, result.ptr);
}

std::string childPath(const std::string& parent, std::string_view key) {
  // Keys come from the file: shown escaped and cut, so a message stays one short line;
  // an empty key is shown as '' so that the message still names it.
  const std::string shownKey = key.empty() ? std::string("''") : displayText(key);
  return parent.empty() ? shownKey : parent + "." + shownKey;
}

std::string indexPath(const std::string& parent, std::size_t index) {
  return parent + "[" + std::to_string(index) + "]";
}

void requireObject(const Json& j, const std::string& path) {
  if (!j.is_object()) refuse(path, std::string("expected an object, got ") + j.type_name());
}

void refuseUnknownKeys(const Json& object, const std::string& path,
                       std::initializer_list<std::string_view> known) {
  for (const auto& item : object.items()) {
    if (std::find(known.begin(), known.end(), item.key()) == known.end()) {
      refuse(childPath(path, item.key()), "unknown key");
    }
  }
}

const Json& requireKey(const Json& object, const std::string& path,
                                 std::string_view key) {
  const auto it = object.find(key);
  if (it == object.end()) refuse(childPath(path, key), "required key is missing");
  return *it;
}

double requireNumber(const Json& j, const std::string& path) {
  if (!j.is_number()) refuse(path, std::string("expected a number, got ") + j.type_name());
  // The parser itself refuses numbers beyond the range of a double.
  return j.get<double>();
}

namespace {

// The parser's message ends with the text it last read, which may be a whole
// megabytes-long string; only its start is shown.
std::string withShortToken(std::string what) {
  constexpr std::string_view kLastRead = "last read: '";
  const std::size_t start = what.find(kLastRead);
  if (start == std::string::npos || what.back() != '\'') return displayText(what, 300);
  const std::size_t tokenStart = start + kLastRead.size();
  const std::string_view token =
      std::string_view(what).substr(tokenStart, what.size() - 1 - tokenStart);
  return what.substr(0, tokenStart) + displayText(token) + "'";
}

}  // namespace

Json parseStrict(std::string_view text) {
  // The parser takes a NUL byte for the end of the text and would ignore the rest.
  if (const std::size_t nul = text.find('\0'); nul != std::string_view::npos) {
    refuse("", "byte " + std::to_string(nul + 1) +
                   " is a NUL: the file is not JSON text (UTF-16 or binary?)");
  }
  // nlohmann keeps the last of repeated keys silently; an edited scenario with two
  // "duration" entries would run with the one the user did not mean.
  std::vector<std::set<std::string>> openObjects;
  std::string repeated;
  const auto watch = [&](int, Json::parse_event_t event, Json& parsed) {
    using E = Json::parse_event_t;
    if (event == E::object_start) {
      openObjects.emplace_back();
    } else if (event == E::object_end) {
      if (!openObjects.empty()) openObjects.pop_back();
    } else if (event == E::key && !openObjects.empty() && repeated.empty()) {
      const auto& key = parsed.get_ref<const std::string&>();
      if (!openObjects.back().insert(key).second) repeated = key;
    }
    return true;
  };
  Json document;
  try {
    document = Json::parse(text.begin(), text.end(), watch);
  } catch (const Json::exception& e) {
    // Drop the library's "[json.exception.parse_error.101] " tag.
    std::string what = e.what();
    const auto tagEnd = what.find("] ");
    if (tagEnd != std::string::npos) what.erase(0, tagEnd + 2);
    refuse("", "not valid JSON: " + withShortToken(what));
  }
  if (!repeated.empty()) {
    refuse("", "key '" + displayText(repeated) + "' appears twice in one object");
  }
  return document;
}

}  // namespace substitute_host::plant::json_checks
