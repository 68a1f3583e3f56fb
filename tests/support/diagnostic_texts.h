#pragma once

// The host's diagnostic messages in their XML form, built in the tests from ids and
// arguments spelled out in full, so that a misspelled id in the module shows.

#include <string>

// A message without arguments, for an id such as
// "Simulink:SFunctions:SimStructNoMdlZeroCrossings".
inline std::string fixedDiagnostic(const std::string& id) {
  return "<diag_root><diag id=\"" + id + "\"><arguments></arguments></diag></diag_root>";
}

// The unexpected-call message naming a block method.
inline std::string unexpectedCall(const std::string& method) {
  return "<diag_root><diag id=\"Simulink:SFunctions:SimStructUnexpectedFunctionCall\">"
         "<arguments><arg type=\"string\">" +
         method + "</arg></arguments></diag></diag_root>";
}
