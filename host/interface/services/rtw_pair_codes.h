#pragma once

// The type codes of a code-generation name/value pair and the record of a pair's value
// given as separate parts: shared by the pair writer and the table of argument shapes.

// Type codes of a pair: they say how the value is formed, and reach the host as given.
enum RtwPairCode {
  kRtwPairText = 0,               // one text
  kRtwPairTextOtherKind = 1,      // one text of the host's second text kind
  kRtwPairItems = 2,              // a value of several items: (item count)
  kRtwPairNumber = 3,             // one number: (data type word)
  kRtwPairVector = 4,             // (data type word, element count)
  kRtwPairMatrix = 5,             // (data type word, rows, columns)
  kRtwPairTypedNumber = 6,        // one number of the word's data type: (data type word)
  kRtwPairTypedVector = 7,        // (data type word, element count)
  kRtwPairTypedMatrix = 8,        // (data type word, rows, columns)
  kRtwPairComplexVector = 9,      // value: an RtwComplexPair; (data type word, count)
  kRtwPairComplexMatrix = 10,     // value: an RtwComplexPair; (data type word, rows, columns)
  kRtwPairCodeCount = 11
};

// The value of a pair given as separate real and imaginary parts. With the complex bit
// clear the imaginary part may be absent.
struct RtwComplexPair {
  const void* real;
  const void* imaginary;
};
