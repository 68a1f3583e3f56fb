#pragma once

#include <cstddef>

// A zero-filled block record that bears `name` and nothing else, allocated with the
// host's allocator: enough for the installing call to compare names. Kept apart from
// the host's declarations of its array type.
void* namedRecord(void* (*allocate)(std::size_t count, std::size_t size), const char* name);
