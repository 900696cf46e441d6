#include <string>

#include "qc/qc_files.h"
#include "qc/qc_text.h"

namespace {

std::string finding_json(const QcFinding& f) {
  return "{\"check\": " + json_string(f.check) + ", \"result\": \"" + qc_result_word(f.result) +
         "\", \"value\": " + json_string(f.value) + ", \"limit\": " + json_string(f.limit) +
         ", \"message\": " + json_string(f.message) + "}";
}

std::string epoch_json(const QcEpoch& e) {
  std::string text = "{\"channel\": " + json_string(e.channel) +
                     ", \"start\": " + json_string(e.start) + ", \"end\": " + json_string(e.end) +
                     ", \"picture\": " + json_string(e.picture) + ", \"findings\": [";
  for (size_t i = 0; i < e.findings.size(); ++i) {
    text += (i == 0 ? "\n      " : ",\n      ") + finding_json(e.findings[i]);
  }
  return text + (e.findings.empty() ? "]}" : "\n    ]}");
}

}  // namespace

// The format's name and version come first, so that a merge tells this file
// from any other JSON.
std::string summary_json(const std::vector<QcEpoch>& sorted) {
  std::string text = "{\n  \"afcdraw_qc\": 1,\n  \"epochs\": [";
  for (size_t i = 0; i < sorted.size(); ++i) {
    text += (i == 0 ? "\n    " : ",\n    ") + epoch_json(sorted[i]);
  }
  return text + (sorted.empty() ? "]\n}\n" : "\n  ]\n}\n");
}
