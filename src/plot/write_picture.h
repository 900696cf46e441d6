#pragma once

#include <gd.h>

#include <span>

#include "core/file_identity.h"
#include "core/output_format.h"

// Encodes the image as a GIF or a palette PNG and puts it at `out_path`
// through write_output, never over one of the `inputs`. Returns 0, or -3
// with the reason in last_error.
int write_picture(gdImagePtr image, OutputFormat format, const char* out_path,
                  std::span<const FileIdentity> inputs);
