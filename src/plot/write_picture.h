#pragma once

#include <gd.h>

#include "core/output_format.h"

// Encodes the image as a GIF or a palette PNG and puts it at `out_path`
// through write_output. Returns 0, or -3 with the reason in last_error.
int write_picture(gdImagePtr image, OutputFormat format, const char* out_path);
