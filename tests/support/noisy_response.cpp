#include "support/noisy_response.h"

#include <cmath>

std::string noisy_response(int points, double decades, unsigned seed, unsigned amplitude_noise,
                           int phase_low, unsigned phase_noise) {
  std::string text;
  unsigned state = seed;
  for (int i = 0; i < points; ++i) {
    state = state * 1103515245u + 12345u;
    double f = 0.001 * std::pow(10.0, decades * i / points);
    text += std::to_string(f) + " " + std::to_string(1000 + (state >> 16) % amplitude_noise) + " " +
            std::to_string(phase_low + static_cast<int>((state >> 8) % phase_noise)) + "\n";
  }
  return text;
}
