#include "compare/column_pairing.h"

#include <set>
#include <string_view>
#include <unordered_map>

#include "text/display_text.h"

namespace substitute_host {
namespace {

constexpr std::size_t kAbsent = static_cast<std::size_t>(-1);

// Field index by name; a header's names are unique (the reader refuses repeats), and a
// map keeps a header of many columns from costing the square of their number.
using NameIndex = std::unordered_map<std::string_view, std::size_t>;

NameIndex indexOf(const std::vector<std::string>& names) {
  NameIndex index;
  for (std::size_t field = 0; field < names.size(); ++field) {
    if (!names[field].empty()) index.emplace(names[field], field);
  }
  return index;
}

std::size_t fieldOf(const NameIndex& index, const std::string& name) {
  const auto found = index.find(name);
  return found == index.end() ? kAbsent : found->second;
}

std::string listed(const std::vector<std::string>& names) {
  std::string text;
  for (const std::string& name : names) text += (text.empty() ? "" : ", ") + quotedForMessage(name);
  return text;
}

ColumnPairing pairRequested(const std::vector<std::string>& namesA,
                            const std::vector<std::string>& namesB,
                            const std::vector<std::string>& requested, const std::string& nameA,
                            const std::string& nameB) {
  ColumnPairing pairing;
  const NameIndex indexA = indexOf(namesA), indexB = indexOf(namesB);
  std::set<std::string> seen;
  std::vector<std::string> lackedByA, lackedByB;
  for (const std::string& name : requested) {
    if (name.empty() || !seen.insert(name).second) {
      pairing.error = "--columns: " + (name.empty() ? std::string("an empty column name")
                                                    : quotedForMessage(name) + " is named twice");
      return pairing;
    }
    const std::size_t fieldA = fieldOf(indexA, name);
    const std::size_t fieldB = fieldOf(indexB, name);
    if (fieldA == kAbsent) lackedByA.push_back(name);
    if (fieldB == kAbsent) lackedByB.push_back(name);
    if (fieldA != kAbsent && fieldB != kAbsent) pairing.columns.push_back({name, fieldA, fieldB});
  }
  if (!lackedByA.empty()) pairing.error = nameA + ": no column " + listed(lackedByA);
  if (!lackedByB.empty()) {
    pairing.error +=
        (pairing.error.empty() ? "" : "; ") + nameB + ": no column " + listed(lackedByB);
  }
  return pairing;
}

}  // namespace

ColumnPairing pairColumns(const std::vector<std::string>& namesA,
                          const std::vector<std::string>& namesB,
                          const std::vector<std::string>& requested, const std::string& nameA,
                          const std::string& nameB) {
  if (!requested.empty()) return pairRequested(namesA, namesB, requested, nameA, nameB);

  ColumnPairing pairing;
  const NameIndex indexA = indexOf(namesA), indexB = indexOf(namesB);
  for (std::size_t fieldA = 0; fieldA < namesA.size(); ++fieldA) {
    const std::string& name = namesA[fieldA];
    if (name.empty()) continue;
    const std::size_t fieldB = fieldOf(indexB, name);
    if (fieldB == kAbsent) {
      pairing.onlyInA.push_back(name);
    } else {
      pairing.columns.push_back({name, fieldA, fieldB});
    }
  }
  for (const std::string& name : namesB) {
    if (!name.empty() && fieldOf(indexA, name) == kAbsent) pairing.onlyInB.push_back(name);
  }
  if (pairing.columns.empty()) {
    pairing.error = nameA + " and " + nameB + " have no column name in common";
  }
  return pairing;
}

}  // namespace substitute_host
