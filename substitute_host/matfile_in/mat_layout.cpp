#include "matfile_in/mat_layout.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <string_view>

#include "block_ports.h"
#include "matfile_in/mat_variable.h"
#include "text/display_text.h"

namespace substitute_host {
namespace {

constexpr std::string_view kTimeName = "time";

std::string shown(const std::string& name) { return "variable " + quotedForMessage(name); }

template <std::size_t N>
void appendNames(const std::array<SignalName, N>& signals, std::vector<std::string>& names) {
  for (const SignalName& signal : signals) names.emplace_back(signal.view());
}

// Names k columns of signals in port order, with time first when there is one more.
bool nameColumns(std::size_t columns, bool timeAllowed, MatPurpose purpose,
                 std::vector<std::string>& names) {
  const bool time = timeAllowed && (columns == kInputSignalCount + 1 ||
                                    (purpose == MatPurpose::signals && columns == kOutputSignalCount + 1));
  if (time) names.emplace_back(kTimeName);
  const std::size_t signals = columns - (time ? 1 : 0);
  if (signals == kInputSignalCount) {
    appendNames(kInputSignalNames, names);
  } else if (purpose == MatPurpose::signals && signals == kOutputSignalCount) {
    appendNames(kOutputSignalNames, names);
  } else {
    return false;
  }
  return true;
}

std::string widthProblem(std::size_t columns, bool timeAllowed, MatPurpose purpose) {
  std::string needed = purpose == MatPurpose::inputs ? "the 13 inputs need 13 columns"
                                                     : "signals need 13 input or 6 output columns";
  if (timeAllowed) needed += ", or one more with time first";
  return "has " + std::to_string(columns) + " column" + (columns == 1 ? "" : "s") + "; " + needed;
}

// A numeric block of the given shape; an empty problem when it is one.
std::string blockProblem(const matvar_t& variable, const std::string& name) {
  const std::string problem = numericProblem(variable);
  return problem.empty() ? problem : shown(name) + " " + problem;
}

bool matrixLayout(matvar_t& variable, MatPurpose purpose, MatLayout& layout, std::string& error) {
  const std::string name = variable.name != nullptr ? variable.name : "";
  error = blockProblem(variable, name);
  if (!error.empty()) return false;
  const std::size_t columns = columnCount(variable);
  if (!nameColumns(columns, true, purpose, layout.names)) {
    error = shown(name) + " " + widthProblem(columns, true, purpose);
    return false;
  }
  layout.blocks.push_back({&variable, name, columns});
  layout.rows = rowCount(variable);
  layout.sources.push_back(name);
  layout.kind = MatLayoutKind::matrix;
  layout.variable = name;
  return true;
}

}  // namespace

// The structure's field table is checked first: in a damaged file it may be missing or
// shorter than the field count, which the library's own lookup would read anyway.
matvar_t* matField(matvar_t& structure, const char* name) {
  const unsigned count = Mat_VarGetNumberOfFields(&structure);
  char* const* names = Mat_VarGetStructFieldnames(&structure);
  if (count == 0 || names == nullptr || structure.data == nullptr ||
      structure.nbytes < count * sizeof(matvar_t*)) {
    return nullptr;
  }
  matvar_t* const* fields = static_cast<matvar_t* const*>(structure.data);
  for (unsigned i = 0; i < count; ++i) {
    if (names[i] != nullptr && std::strcmp(names[i], name) == 0) return fields[i];
  }
  return nullptr;
}

namespace {

matvar_t* field(matvar_t& structure, const char* name) { return matField(structure, name); }

bool hasTime(const matvar_t* time) { return time != nullptr && time->rank == 2 && time->dims != nullptr && time->dims[0] * time->dims[1] != 0; }

// The time of a structure with time: N-by-1 like the values.
bool addTime(matvar_t& time, const std::string& name, std::uint64_t rows, MatLayout& layout,
             std::string& error) {
  error = blockProblem(time, name + ".time");
  if (error.empty() && (columnCount(time) != 1 || rowCount(time) != rows)) {
    error = shown(name + ".time") + " is " + std::to_string(rowCount(time)) + "-by-" +
            std::to_string(columnCount(time)) + "; it must be " + std::to_string(rows) +
            "-by-1, a time for each row of the values";
  }
  if (!error.empty()) return false;
  layout.blocks.insert(layout.blocks.begin(), {&time, name + ".time", 1});
  layout.names.insert(layout.names.begin(), std::string(kTimeName));
  return true;
}

bool structLayout(matvar_t& variable, MatPurpose purpose, MatLayout& layout, std::string& error) {
  const std::string name = variable.name != nullptr ? variable.name : "";
  matvar_t* signals = isScalarStruct(variable) ? field(variable, "signals") : nullptr;
  matvar_t* values =
      signals != nullptr && isScalarStruct(*signals) ? field(*signals, "values") : nullptr;
  if (values == nullptr) {
    error = shown(name) + " is a structure without signals.values; a structure with time "
                          "holds x.time and x.signals.values";
    return false;
  }
  const std::string valuesName = name + ".signals.values";
  error = blockProblem(*values, valuesName);
  if (!error.empty()) return false;
  const std::size_t columns = columnCount(*values);
  if (!nameColumns(columns, false, purpose, layout.names)) {
    error = shown(valuesName) + " " + widthProblem(columns, false, purpose);
    return false;
  }
  layout.blocks.push_back({values, valuesName, columns});
  layout.rows = rowCount(*values);
  layout.sources.push_back(name);
  layout.kind = MatLayoutKind::structure;
  layout.variable = name;
  matvar_t* time = field(variable, "time");
  return !hasTime(time) || addTime(*time, name, layout.rows, layout, error);
}

bool tableLayout(matvar_t& variable, MatPurpose purpose, MatLayout& layout, std::string& error) {
  layout = MatLayout{};
  return variable.class_type == MAT_C_STRUCT ? structLayout(variable, purpose, layout, error)
                                             : matrixLayout(variable, purpose, layout, error);
}

const char* nameOf(const matvar_t* variable) {
  return variable->name != nullptr ? variable->name : "";
}

matvar_t* findVariable(const std::vector<matvar_t*>& variables, std::string_view name) {
  for (matvar_t* variable : variables) {
    if (name == nameOf(variable)) return variable;
  }
  return nullptr;
}

// The names one variable per signal may have, in the order the columns take: time, the
// inputs, then (for a comparison) the outputs.
std::vector<std::string> signalVariableNames(MatPurpose purpose) {
  std::vector<std::string> names{std::string(kTimeName)};
  appendNames(kInputSignalNames, names);
  if (purpose == MatPurpose::signals) appendNames(kOutputSignalNames, names);
  return names;
}

// Adds one signal's variable, N-by-1 with as many rows as the first.
bool addSignalVariable(matvar_t& variable, MatLayout& layout, std::string& error) {
  const std::string name = nameOf(&variable);
  error = blockProblem(variable, name);
  const std::uint64_t rows = layout.blocks.empty() ? rowCount(variable) : layout.rows;
  if (error.empty() && (columnCount(variable) != 1 || rowCount(variable) != rows)) {
    error = shown(name) + " is " + std::to_string(rowCount(variable)) + "-by-" +
            std::to_string(columnCount(variable)) + "; one variable per signal must be " +
            (layout.blocks.empty() ? "N" : std::to_string(rows)) + "-by-1" +
            (layout.blocks.empty() ? "" : ", as long as " + quotedForMessage(layout.names.front()));
  }
  if (!error.empty()) return false;
  layout.blocks.push_back({&variable, name, 1});
  layout.names.push_back(name);
  layout.sources.push_back(name);
  layout.rows = rows;
  return true;
}

std::string missingInputs(const std::vector<matvar_t*>& variables) {
  std::string missing;
  std::size_t count = 0;
  for (const SignalName& signal : kInputSignalNames) {
    if (findVariable(variables, signal.view()) != nullptr) continue;
    missing += (count++ == 0 ? "" : ", ") + quotedForMessage(signal.view());
  }
  if (count == 0) return {};
  return "the file lacks the variable" + std::string(count > 1 ? "s " : " ") + missing +
         "; one variable per signal needs all 13 inputs";
}

// One variable per signal; false with no error when the file has none.
bool signalVariablesLayout(const std::vector<matvar_t*>& variables, MatPurpose purpose,
                           MatLayout& layout, std::string& error) {
  layout = MatLayout{};
  layout.kind = MatLayoutKind::signalVariables;
  error.clear();
  for (const std::string& name : signalVariableNames(purpose)) {
    matvar_t* variable = findVariable(variables, name);
    if (variable != nullptr && !addSignalVariable(*variable, layout, error)) return false;
  }
  const bool onlyTime = layout.names.size() == 1 && layout.names.front() == kTimeName;
  if (layout.blocks.empty() || onlyTime) return false;
  if (purpose == MatPurpose::inputs) error = missingInputs(variables);
  return error.empty();
}

bool isSignalVariable(const matvar_t* variable, MatPurpose purpose) {
  const std::vector<std::string> names = signalVariableNames(purpose);
  return std::find(names.begin(), names.end(), nameOf(variable)) != names.end();
}

// Everything that could not be read, in one sentence; the first few problems.
std::string noLayout(const std::vector<std::string>& problems, MatPurpose purpose) {
  if (problems.empty()) return "the file holds no variables";
  if (problems.size() == 1) return problems.front();
  std::string text = purpose == MatPurpose::inputs ? "no variable holds the 13 inputs: "
                                                   : "no variable holds signals: ";
  constexpr std::size_t kShown = 3;
  for (std::size_t i = 0; i < problems.size() && i < kShown; ++i) {
    text += (i == 0 ? "" : "; ") + problems[i];
  }
  if (problems.size() > kShown) text += "; and " + std::to_string(problems.size() - kShown) + " more";
  return text;
}

}  // namespace

bool chooseMatLayout(const std::vector<matvar_t*>& variables, const std::string& wanted,
                     MatPurpose purpose, MatLayout& layout, std::string& error) {
  if (!wanted.empty()) {
    matvar_t* variable = findVariable(variables, wanted);
    if (variable == nullptr) {
      error = "the file has no " + shown(wanted);
      return false;
    }
    return tableLayout(*variable, purpose, layout, error);
  }
  std::vector<std::string> fitting, problems;
  MatLayout candidate;
  for (matvar_t* variable : variables) {
    if (isSignalVariable(variable, purpose)) continue;
    if (tableLayout(*variable, purpose, candidate, error)) {
      fitting.push_back(quotedForMessage(nameOf(variable)));
      layout = candidate;
    } else {
      problems.push_back(error);
    }
  }
  if (signalVariablesLayout(variables, purpose, candidate, error)) {
    fitting.push_back("the variables named as signals");
    layout = candidate;
  } else if (!error.empty()) {
    problems.insert(problems.begin(), error);
  }
  if (fitting.size() == 1) return true;
  if (fitting.empty()) {
    error = noLayout(problems, purpose);
    return false;
  }
  error = "several variables fit (";
  for (std::size_t i = 0; i < fitting.size(); ++i) error += (i == 0 ? "" : ", ") + fitting[i];
  error += "); name the one to read with --variable NAME";
  return false;
}

}  // namespace substitute_host
