#pragma once

#include <cstddef>
#include <span>

#include "core/file_identity.h"

// Puts `size` bytes at `path` the way a careful plain writer would, so that
// a failure never creates, empties or damages the file there:
// - a regular file (or a new one) is replaced by a complete file renamed
//   over it, keeping its owner where permitted and its permission bits
//   without set-user-ID and set-group-ID; a symbolic link stays a link.
//   Where the folder cannot be written the file is written in place.
// - only a file the user could open for writing is replaced, and a link or
//   file another user planted in a sticky folder (/tmp) is never used.
// - /dev/stdout, /dev/fd/N and /proc/self/fd/N are written through the
//   descriptor the process has, without truncating it; other files that
//   are not regular (a terminal, a pipe) are written directly.
// - no file the picture was drawn from (`inputs`) is ever written.
// Returns 0, or -1 with the reason in last_error.
int write_output(const char* path, const void* data, size_t size,
                 std::span<const FileIdentity> inputs = {});
