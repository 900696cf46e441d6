#pragma once

#include <cstdio>
#include <string>
#include <utility>

#include "qc/qc_row.h"

// Small helpers every check writes its finding with.

inline QcFinding qc_finding(const char* check, QcResult result, std::string value,
                            std::string limit, std::string message) {
  return {check, result, std::move(value), std::move(limit), std::move(message)};
}

// A check whose data the file lacks: never a pass.
inline QcFinding not_checked(const char* check, std::string limit, std::string missing) {
  return qc_finding(check, QcResult::not_checked, "", std::move(limit), std::move(missing));
}

inline QcResult pass_if(bool ok) {
  return ok ? QcResult::pass : QcResult::fail;
}

// A number as the rows print it: "%.3g" and its unit ("3.1 %", "0.5 dB").
inline std::string qc_number(double value, const char* unit) {
  char text[48];
  snprintf(text, sizeof text, "%.3g%s%s", value, *unit != '\0' ? " " : "", unit);
  return text;
}
