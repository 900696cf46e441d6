#pragma once

#include "core/last_error.h"

// How a stage gives up: its message goes to last_error and its status back
// to the caller, in one statement: `return fail("read_in(): ...", -2);`.
inline int fail(const char* message, int result) {
  last_error = message;
  return result;
}
