#pragma once

#include "qc/qc_row.h"
#include "response/channel_response.h"

// `evaluate`: the chain can be computed at all (as a picture of it would
// be: at the sensitivity frequency, or 1 Hz, or its first listed frequency).
QcFinding check_evaluate(const ChannelResponse& r);

// `sensitivity-frequency`: the sensitivity is quoted below the Nyquist
// frequency of the channel's sample rate, and in the passband: where the
// evaluated amplitude is within 3 dB of its largest value below the
// Nyquist frequency (over six decades, or a response list's frequencies),
// or where the response is flat, changing by 3 dB at most over the octave
// around it (in its own units, or for displacement also in velocity and
// acceleration), as above a lightly damped resonance.
QcFinding check_sensitivity_frequency(const ChannelResponse& r);
