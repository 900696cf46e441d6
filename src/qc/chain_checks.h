#pragma once

#include "qc/qc_row.h"
#include "response/channel_response.h"

// `units-chain`: each stage's output units are the next one's input units;
// the sensitivity's input units are the first stage's input, its output
// units the last stage's output.
QcFinding check_units_chain(const ChannelResponse& r);

// `decimation-chain`: each decimating stage takes the rate the one before
// puts out, and the last one's input rate over its factor is the channel's
// sample rate.
QcFinding check_decimation_chain(const ChannelResponse& r);
