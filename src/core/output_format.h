#pragma once

// The file format a picture is written in.
enum class OutputFormat : unsigned char { gif, png };
