#pragma once

// The file format a picture is written in.
// FAP is no picture: the curves as drawn, as text lines.
enum class OutputFormat : unsigned char { gif, png, svg, pdf, fap };

// SVG and PDF are drawn in the report style only.
inline bool vector_format(OutputFormat f) {
  return f == OutputFormat::svg || f == OutputFormat::pdf;
}
