#pragma once

#include "qc/qc_row.h"
#include "response/channel_response.h"

// `sensitivity-gain`: the stage gains, each moved to the sensitivity
// frequency by its stage's own response, multiply to the stated
// sensitivity within 5 %.
QcFinding check_sensitivity_gain(const ChannelResponse& r);

// `a0-normalisation`: each pole-zero stage's A0 is 1/|H(f)| of its poles
// and zeros at its normalisation frequency f, within 2 %.
QcFinding check_a0_normalisation(const ChannelResponse& r);
