#pragma once

#include <string>
#include <vector>

#include "core/curve.h"
#include "core/file_identity.h"
#include "core/plot_options.h"
#include "input/metadata_curve.h"

// The responses one picture shows: a curve for every input the options
// name, in input order and colour, a legend line for each named one, the
// files they came from, which the picture must never be written over, and
// what in the files looks wrong though it could be read, for the user.
struct Responses {
  CurveList curves;
  Legend legend;
  std::vector<FileIdentity> sources;
  std::vector<std::string> warnings;
  MetadataNames names;  // of IN= when it is station metadata
};

// What read_responses reports besides 0.
constexpr int response_not_read = -1;   // a file could not be opened or read
constexpr int no_response_points = -2;  // a file holds no point

// Reads every input ("-" is standard input) into `responses`, with the
// phases when the phase panel is shown, unwrapped when asked: those of the
// input's PHASE= file when given (a frequency and a phase in degrees a
// line, taken at the amplitude file's frequencies inside its range,
// interpolated in log frequency), else its third column. A pole-zero file
// is a computed curve, evaluated where the picture and the comparison need
// it (evaluate_computed); a PHASE= file must not be one (response_not_read),
// and one with phases beyond any turn count gets a warning. The first
// failure ends the reading, its message in last_error; a further file
// (IN2= ..., and every PHASE= file) adds ": ", its key and its path, so
// that a batch log tells which one failed.
//
// `given`, where not null, is IN='s channel epoch, already read from its
// file: the file is not read again (see epoch_curve).
int read_responses(const PlotOptions& options, Responses& responses,
                   const ChannelResponse* given = nullptr);
