#include "batch/job_verdict.h"

#include "core/inputs.h"
#include "core/messages.h"

JobVerdict job_verdict(const Verdict& v) {
  JobVerdict j;
  j.key = input_name(v.input);
  j.line = verdict_line(v);
  j.measured = v.measured;
  j.db = v.db, j.db_at = v.db_at;
  j.phase = v.phase;
  j.deg = v.deg, j.deg_at = v.deg_at;
  // As the line words it: points not judged make the verdict theirs.
  j.judgement = v.not_judged > 0 ? Judgement::not_judged
                : v.within       ? Judgement::within
                                 : Judgement::outside;
  j.not_judged = v.not_judged;
  return j;
}

const char* judgement_word(Judgement j) {
  switch (j) {
    case Judgement::within:
      return message::within;
    case Judgement::outside:
      return message::outside;
    case Judgement::not_judged:
      return message::job_not_judged;
  }
  return "";
}

const char* tolerance_message(const std::vector<JobVerdict>& verdicts) {
  bool not_judged = false;
  for (const JobVerdict& v : verdicts) {
    if (v.judgement == Judgement::outside) return message::job_outside_tolerance;
    not_judged = not_judged || v.judgement == Judgement::not_judged;
  }
  return not_judged ? message::job_not_judged : message::job_outside_tolerance;
}
