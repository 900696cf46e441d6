#include "qc/check_epoch.h"

#include "qc/band_checks.h"
#include "qc/chain_checks.h"
#include "qc/gain_checks.h"
#include "qc/picture_name.h"
#include "qc/stage_checks.h"

QcEpoch check_epoch(const ChannelResponse& r) {
  QcEpoch e;
  e.channel = qc_channel_name(r);
  e.start = qc_time(r.start);
  e.end = r.end.empty() ? "" : qc_time(r.end);
  e.findings = {
      check_evaluate(r),       check_sensitivity_gain(r),      check_a0_normalisation(r),
      check_units_chain(r),    check_sensitivity_frequency(r), check_pole_zero_roots(r),
      check_fir_normalised(r), check_decimation_chain(r),
  };
  return e;
}
