#pragma once

// The installing call's work on a host record: the block's methods into its slots.

#include "block_record.h"

// Puts the methods of the block's method table into the record's slots by role; every
// other slot keeps what the host put there.
void installBlockMethods(SimStruct* block);
