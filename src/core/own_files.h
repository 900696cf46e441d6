#pragma once

#include <array>
#include <string>

// Where the binary finds a file of its own (the full
// binary): first its own folder, where the build puts them, then, for an
// installed binary, AFCDRAW_MODULE_DIR relative to that folder.
std::array<std::string, 2> own_file_paths(const char* name);
