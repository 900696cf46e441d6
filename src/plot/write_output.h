#pragma once

#include <cstddef>

// Puts `size` bytes at `path` so that a failure never creates, empties or
// damages the file there. A regular file (or a new one) is replaced by
// renaming a completed temporary file in the same folder over it, keeping
// its permission bits; a symbolic link is followed so that it stays a link.
// What is not a regular file (a terminal, pipe, /dev/stdout) is written
// directly. Returns 0, or -1 with the reason in last_error.
int write_output(const char* path, const void* data, size_t size);
