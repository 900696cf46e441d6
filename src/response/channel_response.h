#pragma once

#include <complex>
#include <string>
#include <vector>

// One channel epoch's response as station metadata (SEED RESP, FDSN
// StationXML) states it: a chain of stages and an overall sensitivity.
// The readers fill it; evaluate_response computes it at any frequency.

// How a stage's transfer function is given.
enum class StageKind {
  laplace_rad,  // poles and zeros in rad/s: s = i 2 pi f
  laplace_hz,   // poles and zeros in Hz: s = i f
  digital_pz,   // poles and zeros in z = exp(i 2 pi f dt)
  fir,          // numerator coefficients only (digital)
  iir,          // numerator and denominator coefficients (digital)
  list,         // a response list: amplitude and phase at listed frequencies
  polynomial,   // a polynomial response; degree 1 is a gain
  gain_only,    // no transfer function, a gain alone
};

// FIR symmetry as blockette 61 / StationXML FIR state it: ODD and EVEN list
// only half the coefficients.
enum class FirSymmetry { none, odd, even };

struct ListPoint {
  double frequency, amplitude, phase_deg;
};

struct Stage {
  int number = 0;  // the stage sequence number, from 1
  StageKind kind = StageKind::gain_only;
  std::string input_units, output_units;  // as written: "M/S", "V", "COUNTS"
  // Poles and zeros (laplace_*, digital_pz).
  double a0 = 1, a0_frequency = 0;
  std::vector<std::complex<double>> zeros, poles;
  // Coefficients (fir, iir); a FIR of symmetry odd/even lists only its half.
  std::vector<double> numerators, denominators;
  FirSymmetry symmetry = FirSymmetry::none;
  // Response list.
  std::vector<ListPoint> list;
  // Polynomial (b62): coefficients from degree 0 up.
  std::vector<double> polynomial;
  // Decimation (b57): the stage's input sample rate, factor, delays.
  bool has_decimation = false;
  double input_sample_rate = 0;
  int decimation_factor = 1;
  double delay = 0, correction = 0;  // seconds: estimated delay, correction applied
  // The stage gain (b58 of the stage) and the frequency it is quoted at.
  bool has_gain = false;
  double gain = 1, gain_frequency = 0;
};

// One channel epoch: its name, epoch, stages in sequence order and the
// overall sensitivity (b58 stage 0, InstrumentSensitivity).
struct ChannelResponse {
  std::string network, station, location, channel;
  std::string start, end;  // ISO 8601 "2010-01-01T00:00:00", end "" when open
  double sample_rate = 0;  // the channel's, where stated; 0 unknown
  // RESP states neither the rate nor the sensitivity's units beside the
  // stages: `sample_rate` and those units are then derived from the stages,
  // and the rate its channel header states (B052), if any, is kept apart.
  // A check of the stages against the channel needs what the file says.
  bool derived_from_stages = false;
  double header_sample_rate = 0;  // 0: none stated
  std::vector<Stage> stages;
  bool has_sensitivity = false;
  double sensitivity = 0, sensitivity_frequency = 0;
  std::string sensitivity_input_units, sensitivity_output_units;
  std::string source;  // the file it was read from, for messages
  // Why the epoch could not be read, where a reader kept it anyway
  // (BrokenEpochs::keep); its stages are then incomplete. "" when read.
  std::string unreadable;
};
