#pragma once

#include "qc/qc_row.h"
#include "response/channel_response.h"

// The channel epoch's name and the findings of every check that needs no
// picture, in the checks' fixed order: evaluate, sensitivity-gain,
// a0-normalisation, units-chain, sensitivity-frequency, pole-zero-roots,
// fir-normalised, decimation-chain. (nominal follows once it is drawn.)
QcEpoch check_epoch(const ChannelResponse& r);
