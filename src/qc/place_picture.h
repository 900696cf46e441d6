#pragma once

#include <string>

// A shard's picture into the merged folder under the same relative name:
// hard-linked where the file system allows it (no bytes copied), else
// copied; either way the name appears complete or not at all. Folders the
// name holds are made. Returns 0; -1 when the picture cannot be read, -2
// when it cannot be placed, with the reason in last_error.
int place_picture(const std::string& shard, const std::string& outdir, const std::string& name);

// Whether a picture's name stays inside its folder: relative, with no
// empty, "." or ".." part.
bool picture_name_inside(const std::string& name);

// The whole of a file into `bytes`; 0, or the errno that stopped it.
int read_bytes(const std::string& path, std::string& bytes);
