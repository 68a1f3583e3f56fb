#include "replay/input_csv.h"

#include <cstring>
#include <utility>

#include "replay/input_value.h"

namespace substitute_host {
namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

bool isBlank(std::string_view line) { return trimField(line).empty(); }

// Quotes a field for a message, cut short so a runaway field cannot flood the terminal.
std::string quoted(std::string_view field) {
  constexpr std::size_t kShown = 40;
  std::string text = "'";
  text.append(field.substr(0, kShown));
  if (field.size() > kShown) text.append("...");
  text.append("'");
  return text;
}

// Calls visit(index, field) for each comma-separated field of line.
template <typename Visit>
void forEachField(std::string_view line, Visit visit) {
  std::size_t index = 0;
  for (;;) {
    const std::size_t comma = line.find(',');
    visit(index++, line.substr(0, comma));
    if (comma == std::string_view::npos) return;
    line.remove_prefix(comma + 1);
  }
}

}  // namespace

InputCsvReader::InputCsvReader(std::FILE* in) : lines_(in) {}

InputCsvReader::Status InputCsvReader::failRead() {
  const std::uint64_t lastRead = lines_.lineNumber();
  error_ = (lastRead == 0 ? std::string("reading failed: ")
                          : "reading failed after line " + std::to_string(lastRead) + ": ") +
           std::strerror(lines_.readErrno());
  return Status::readFailed;
}

InputCsvReader::Status InputCsvReader::failRow(std::size_t field, std::string message) {
  const std::string number = std::to_string(field + 1);
  error_ = "line " + std::to_string(lines_.lineNumber()) + ", ";
  error_ += field < fieldNames_.size()
                ? "column '" + fieldNames_[field] + "' (field " + number + ")"
                : "field " + number;
  error_ += ": " + std::move(message);
  return Status::badInput;
}

bool InputCsvReader::readHeader() {
  std::string_view header;
  if (!lines_.next(header)) {
    if (lines_.readFailed()) {
      failRead();
    } else {
      error_ = "line 1: the input is empty; it needs a header line";
    }
    return false;
  }
  if (header.substr(0, kByteOrderMark.size()) == kByteOrderMark) {
    header.remove_prefix(kByteOrderMark.size());
  }
  if (isBlank(header)) {
    error_ = "line 1: the header line is blank";
    return false;
  }

  std::array<std::size_t, kInputValueCount> fieldOfValue{};
  std::array<bool, kInputValueCount> found{};
  std::string problem;
  forEachField(header, [&](std::size_t index, std::string_view field) {
    const std::string_view name = trimField(field);
    fieldNames_.emplace_back(name);
    valueOfField_.push_back(-1);
    if (!problem.empty()) return;
    if (!name.empty() && name.front() == '"') {
      problem = "line 1, field " + std::to_string(index + 1) +
                ": quoted names are not supported: " + quoted(name);
      return;
    }
    for (std::size_t value = 0; value < kInputValueCount; ++value) {
      if (name != kInputColumns[value]) continue;
      if (found[value]) {
        problem = "line 1, field " + std::to_string(index + 1) + ": column '" + std::string(name) +
                  "' already appears as field " + std::to_string(fieldOfValue[value] + 1);
        return;
      }
      found[value] = true;
      fieldOfValue[value] = index;
      valueOfField_.back() = static_cast<int>(value);
    }
  });
  if (!problem.empty()) {
    error_ = std::move(problem);
    return false;
  }

  std::string missing;
  std::size_t missingCount = 0;
  for (std::size_t value = 0; value < kInputValueCount; ++value) {
    if (found[value]) continue;
    missing += (missingCount++ == 0 ? "'" : ", '") + std::string(kInputColumns[value]) + "'";
  }
  if (missingCount > 0) {
    error_ = "line 1: the header lacks the required column" +
             std::string(missingCount > 1 ? "s " : " ") + missing;
    return false;
  }
  return true;
}

InputCsvReader::Status InputCsvReader::next(float values[kInputValueCount]) {
  std::string_view line;
  for (;;) {
    if (!lines_.next(line)) return lines_.readFailed() ? failRead() : Status::end;
    if (!isBlank(line)) break;
    if (pendingBlankLine_ == 0) pendingBlankLine_ = lines_.lineNumber();
  }
  if (pendingBlankLine_ != 0) {
    error_ = "line " + std::to_string(pendingBlankLine_) +
             ": blank line between rows (only the end of the file may be blank)";
    return Status::badInput;
  }

  // The hot loop of a replay: one pass over the line, parsing only the wanted fields.
  const std::size_t fieldCount = valueOfField_.size();
  const char* cursor = line.data();
  const char* const end = cursor + line.size();
  for (std::size_t field = 0;; ++field) {
    const char* comma = static_cast<const char*>(std::memchr(cursor, ',', end - cursor));
    const char* const fieldEnd = comma != nullptr ? comma : end;
    const int value = valueOfField_[field];
    if (value >= 0) {
      const std::string_view text(cursor, static_cast<std::size_t>(fieldEnd - cursor));
      if (!parseInputValue(text, values[value])) {
        const std::string_view shown = trimField(text);
        if (shown.empty()) return failRow(field, "the field is empty");
        if (shown.front() == '"') return failRow(field, "quoted fields are not supported");
        return failRow(field, quoted(shown) + " is not a number");
      }
    }
    if (comma == nullptr) {
      if (field + 1 < fieldCount) {
        return failRow(field + 1, "the row ends after " + std::to_string(field + 1) +
                                      " fields; the header has " + std::to_string(fieldCount));
      }
      return Status::row;
    }
    if (field + 1 == fieldCount) {
      return failRow(field + 1,
                     "the row has more fields than the header's " + std::to_string(fieldCount));
    }
    cursor = comma + 1;
  }
}

}  // namespace substitute_host
