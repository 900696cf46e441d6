#pragma once

#include <string>
#include <vector>

// What a network check found: the one form that every QC output
// (summary.csv, summary.json, junit.xml, index.html) is written from and
// that a merge of shards reads back.

enum class QcResult { pass, fail, not_checked };

// One check of one channel epoch. `check` is the check's stable id (listed
// in README); `value` and `limit` are printed as the row shows them ("3.1 %",
// "5 %"), empty where the check has no number; `message` says the finding in
// words.
struct QcFinding {
  std::string check;
  QcResult result = QcResult::not_checked;
  std::string value, limit, message;
};

// One channel epoch and its findings, in the checks' fixed order.
struct QcEpoch {
  std::string channel;     // NET.STA.LOC.CHA
  std::string start, end;  // as the inventory states them; end "" when open
  std::string picture;     // relative to the output folder; "" when none was drawn
  std::vector<QcFinding> findings;
};

// "pass", "fail", "not-checked": the words of the result column.
inline const char* qc_result_word(QcResult result) {
  switch (result) {
    case QcResult::pass:
      return "pass";
    case QcResult::fail:
      return "fail";
    default:
      return "not-checked";
  }
}

// An epoch fails when any check fails; it passes only when every check it
// holds passed, so that an epoch nothing could check is never shown as passed.
inline QcResult qc_epoch_result(const QcEpoch& epoch) {
  bool all_pass = !epoch.findings.empty();
  for (const QcFinding& f : epoch.findings) {
    if (f.result == QcResult::fail) return QcResult::fail;
    if (f.result != QcResult::pass) all_pass = false;
  }
  return all_pass ? QcResult::pass : QcResult::not_checked;
}
