#pragma once

// The file format a picture is written in.
// FAP is no picture: the curves as drawn, as text lines.
enum class OutputFormat : unsigned char { gif, png, svg, pdf, fap };

// SVG and PDF are drawn in the report style only.
inline bool vector_format(OutputFormat f) {
  return f == OutputFormat::svg || f == OutputFormat::pdf;
}

// Each format's name for FORMAT= and the ending of an OUT= name that asks
// for it (any letter case).
struct FormatName {
  const char* name;
  const char* ending;
  OutputFormat format;
};
inline constexpr FormatName format_names[] = {{"GIF", ".gif", OutputFormat::gif},
                                              {"PNG", ".png", OutputFormat::png},
                                              {"SVG", ".svg", OutputFormat::svg},
                                              {"PDF", ".pdf", OutputFormat::pdf},
                                              {"FAP", ".fap", OutputFormat::fap}};
