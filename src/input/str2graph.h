#pragma once

#include "core/response_point.h"
#include "input/file_text.h"

// Cuts `text` into lines at line feeds (CR LF counting as one) and appends,
// in file order, a point for every line that reads as "%lg%*c%lg" with two
// usable numbers: neither exactly -1, NaN nor beyond the double range.
// The text is taken by value and released before returning. Returns 0 when
// at least one point was found, otherwise with the reason in last_error:
//   -1 no point (or no memory for them);
//   -2 the file was cut shorter by another process while its points were
//      read ("read_in(): File read error"): a failure to read the input.
int str2graph(FileText text, PointList& points);
constexpr int file_cut_short = -2;

// str2graph that also appends, for every point whose line goes on with a
// separator character and a third number (finite), a phase point: the
// frequency and that number. Fails as str2graph does, with its messages.
int str2graph_with_phases(FileText text, PointList& points, PointList& phases);
