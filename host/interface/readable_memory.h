#pragma once

// Whether memory that a caller only names by address can be read without a fault: the
// installing call's record handle is an address the gateway cannot otherwise check.

#include <stddef.h>

// True when `size` bytes from `address` (at most 4096) are readable. When the platform
// cannot tell, the answer is true: the memory is read as it would have been without
// the question.
bool memoryIsReadable(const void* address, size_t size);

// The length of a terminated text of at most `limit` characters whose every byte,
// terminator included, is readable; false when no terminator is readable in time.
bool readableTextLength(const char* text, size_t limit, size_t& length);
