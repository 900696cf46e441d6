#pragma once

#include <string>

// The text of a response of `points` lines, log-spaced over `decades` from
// 1 mHz: amplitudes of 1000 plus up to `amplitude_noise`, phases of
// `phase_low` plus up to `phase_noise` degrees, the noise a fixed
// pseudo-random sequence from `seed`.
std::string noisy_response(int points, double decades, unsigned seed, unsigned amplitude_noise,
                           int phase_low, unsigned phase_noise);
