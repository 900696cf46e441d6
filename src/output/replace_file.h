#pragma once

#include <sys/stat.h>

#include <cstddef>
#include <string>

#include "core/descriptor.h"

// Puts `size` bytes in a new file `name` of `folder`, which has no such
// entry yet: the file appears only once it is complete.
// Returns 0, or -1 with the reason in last_error.
int create_file(int folder, const std::string& name, const void* data, size_t size);

// Replaces the regular file `name` of `folder` (its status `old`, `out`
// opened for writing) by a complete new one with its owner where permitted
// and its permission bits without set-user-ID and set-group-ID. Where the
// folder cannot be written, `out` is written in place instead.
// Returns 0, or -1 with the reason in last_error.
int replace_file(int folder, const std::string& name, const struct stat& old, Descriptor& out,
                 const void* data, size_t size);
