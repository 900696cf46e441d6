#include "qc/check_epoch.h"

#include "qc/band_checks.h"
#include "qc/chain_checks.h"
#include "qc/finding.h"
#include "qc/gain_checks.h"
#include "qc/picture_name.h"
#include "qc/stage_checks.h"

namespace {

// An epoch its reader kept though it could not read it: its stages are
// incomplete, so it fails evaluation and nothing else is judged.
std::vector<QcFinding> unreadable_findings(const ChannelResponse& r) {
  std::vector<QcFinding> findings = {
      qc_finding("evaluate", QcResult::fail, "", "", "not read: " + r.unreadable)};
  for (const char* id :
       {"sensitivity-gain", "a0-normalisation", "units-chain", "sensitivity-frequency",
        "pole-zero-roots", "fir-normalised", "decimation-chain"})
    findings.push_back(not_checked(id, "", "the epoch could not be read"));
  return findings;
}

}  // namespace

QcEpoch check_epoch(const ChannelResponse& r) {
  QcEpoch e;
  e.channel = qc_channel_name(r);
  e.start = qc_time(r.start);
  e.end = r.end.empty() ? "" : qc_time(r.end);
  if (!r.unreadable.empty()) {
    e.findings = unreadable_findings(r);
    return e;
  }
  e.findings = {
      check_evaluate(r),       check_sensitivity_gain(r),      check_a0_normalisation(r),
      check_units_chain(r),    check_sensitivity_frequency(r), check_pole_zero_roots(r),
      check_fir_normalised(r), check_decimation_chain(r),
  };
  return e;
}
