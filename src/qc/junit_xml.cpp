#include <string>

#include "qc/qc_files.h"
#include "qc/qc_order.h"
#include "qc/qc_text.h"

namespace {

std::string attribute(const char* name, const std::string& value) {
  return std::string(" ") + name + "=\"" + xml_text(value, true) + "\"";
}

// "sensitivity-gain: 3.1 % (limit 5 %): the message", a line of the failure.
std::string finding_line(const QcFinding& f) {
  std::string line = f.check + ":";
  if (!f.value.empty()) line += " " + f.value;
  if (!f.limit.empty()) line += " (limit " + f.limit + ")";
  if (!f.message.empty()) line += (f.value.empty() && f.limit.empty() ? " " : ": ") + f.message;
  return line;
}

// The ids of the checks with `result`, comma-separated.
std::string check_ids(const QcEpoch& e, QcResult result) {
  std::string ids;
  for (const QcFinding& f : e.findings) {
    if (f.result == result) ids += (ids.empty() ? "" : ", ") + f.check;
  }
  return ids;
}

std::string failure(const QcEpoch& e) {
  std::string body;
  for (const QcFinding& f : e.findings) {
    if (f.result == QcResult::fail) body += finding_line(f) + "\n";
  }
  return "    <failure" + attribute("message", "failed: " + check_ids(e, QcResult::fail)) +
         " type=\"fail\">" + xml_text(body) + "</failure>\n";
}

// What a CI server makes of an epoch: failed when a check failed, skipped
// when none could be made (none passed either), else passed.
enum class CaseResult { passed, failed, skipped };

CaseResult case_result(const QcEpoch& e) {
  bool any_passed = false;
  for (const QcFinding& f : e.findings) {
    if (f.result == QcResult::fail) return CaseResult::failed;
    any_passed = any_passed || f.result == QcResult::pass;
  }
  return any_passed ? CaseResult::passed : CaseResult::skipped;
}

std::string skipped(const QcEpoch& e) {
  std::string ids = check_ids(e, QcResult::not_checked);
  return "    <skipped" +
         attribute("message", ids.empty() ? "no check applies" : "not checked: " + ids) + "/>\n";
}

// The checks not made beside a verdict, where the server shows a case's output.
std::string not_checked_output(const QcEpoch& e) {
  std::string ids = check_ids(e, QcResult::not_checked);
  if (ids.empty()) return "";
  return "    <system-out>" + xml_text("not checked: " + ids) + "</system-out>\n";
}

std::string test_case(const QcEpoch& e) {
  std::string text = "  <testcase" +
                     attribute("classname", network_of(e.channel) + "." + station_of(e.channel)) +
                     attribute("name", e.channel + " " + e.start);
  CaseResult result = case_result(e);
  if (result == CaseResult::skipped) return text + ">\n" + skipped(e) + "  </testcase>\n";
  std::string inside = (result == CaseResult::failed ? failure(e) : "") + not_checked_output(e);
  return text + (inside.empty() ? "/>\n" : ">\n" + inside + "  </testcase>\n");
}

}  // namespace

// An epoch is a test case: failed when a check failed, skipped when no
// check could be made, the checks not made listed as its output.
std::string junit_xml(const std::vector<QcEpoch>& sorted) {
  size_t failures = 0, skips = 0;
  std::string cases;
  for (const QcEpoch& e : sorted) {
    CaseResult result = case_result(e);
    failures += result == CaseResult::failed;
    skips += result == CaseResult::skipped;
    cases += test_case(e);
  }
  return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<testsuite name=\"afcdraw network check\"" +
         attribute("tests", std::to_string(sorted.size())) +
         attribute("failures", std::to_string(failures)) + " errors=\"0\"" +
         attribute("skipped", std::to_string(skips)) + ">\n" + cases + "</testsuite>\n";
}
