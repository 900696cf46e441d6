#pragma once

// Decibels of an amplitude ratio r are 20 log10(r): 20 dB to a decade.
constexpr double db_per_decade = 20;
