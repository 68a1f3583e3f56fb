#pragma once

// Writing a block's run-time parameters and its parameter settings record into the
// host's code-generation record file. Both take a count and then, per item, a type code
// (RtwPairCode), a name and the code's arguments; every integer is an int32 and every
// data argument a pointer, each one argument.

#include "block_record.h"

// Per parameter: code, name, parameter text (const char*), then by code
//   4: data, count            5: data, rows, columns      (data type word 0)
//   7: data, count, word      8: data, rows, columns, word
//   9: real, imaginary, count, word
//  10: real, imaginary, rows, columns, word
// Other codes are refused. Answers 1 for no parameters, 0 after a refused or invalid
// parameter (reported) or when the parameter writer answers 0 (the host's own failure,
// not reported again), and otherwise the last writer result.
int writeRtwParameters(SimStruct* block, int count, ...);

// Writes "SFcnParamSettings {", one pair per setting, then "}". Per setting: code, name,
// then by code
//   0, 1: text value        2: value, item count
//   3: the number as a double, by value
//   4: data, count          5: data, rows, columns      (data type word 0)
//   6: value, word          7: data, count, word        8: data, rows, columns, word
//   9: real, imaginary, count, word
//  10: real, imaginary, rows, columns, word
// Answers 0 when there is nothing to write; a failing item ends the record where it is,
// unclosed, and its result is the answer. Otherwise the result of writing "}".
int writeRtwParamSettings(SimStruct* block, int count, ...);
