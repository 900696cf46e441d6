#pragma once

// A size with units for a figure in a document: "85mmx60mm", "3.35inx2.5in",
// "12cmx9cm", "400ptx300pt"; any one character between the two lengths.

// Whether `value` is written with units (its first number is followed by
// one), so that SIZE= reads it as a physical size, not as pixels.
bool has_length_unit(const char* value);

// Reads both lengths into points (72 to the inch). Returns false when the
// value is not two positive finite lengths, each with its unit, and nothing
// after them.
bool read_physical_size(const char* value, double& width_pt, double& height_pt);
