#pragma once

// Pins a record's layout at compile time, in C as in C++: the plug-in and every host
// that includes these headers must agree on each offset and size, so a change to a
// record has to be made here on purpose, in the figures as well as in the fields.

#include <stddef.h>

#ifdef __cplusplus
#define HOST_LAYOUT_PIN(condition) static_assert(condition, #condition)
#else
#define HOST_LAYOUT_PIN(condition) _Static_assert(condition, #condition)
#endif

#define HOST_PIN_OFFSET(record, field, offset) HOST_LAYOUT_PIN(offsetof(record, field) == (offset))
#define HOST_PIN_SIZE(record, size) HOST_LAYOUT_PIN(sizeof(record) == (size))
