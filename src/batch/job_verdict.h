#pragma once

#include <string>
#include <vector>

#include "compare/verdict.h"

// A TOL= verdict as the batch reports it: the line the job printed, and
// the numbers behind it for the summary.
enum class Judgement { within, outside, not_judged };

struct JobVerdict {
  std::string key;        // "IN2"
  std::string line;       // as the job printed it, "IN2: max deviation ...: within tolerance"
  bool measured = false;  // db and db_at hold the largest deviation, signed
  double db = 0, db_at = 0;
  bool phase = false;  // deg and deg_at hold the largest phase deviation, signed
  double deg = 0, deg_at = 0;
  Judgement judgement = Judgement::outside;
  unsigned long long not_judged = 0;  // points inside the range not judged
};

JobVerdict job_verdict(const Verdict& v);

// "within", "outside" or "not judged".
const char* judgement_word(Judgement j);

// The message of a job whose verdicts failed it (status 1): outside
// tolerance where a verdict line says so, else not judged.
const char* tolerance_message(const std::vector<JobVerdict>& verdicts);
