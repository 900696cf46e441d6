#include "qc/qc_outputs.h"

#include <string>

#include "output/write_output.h"
#include "qc/qc_files.h"
#include "qc/qc_order.h"

int write_qc_outputs(const std::string& outdir, const std::vector<QcEpoch>& epochs) {
  const std::vector<QcEpoch> sorted = file_order(epochs);
  const struct {
    const char* name;
    std::string (*text)(const std::vector<QcEpoch>&);
  } files[] = {{"summary.csv", summary_csv},
               {"summary.json", summary_json},
               {"junit.xml", junit_xml},
               {"index.html", qc_page}};
  for (const auto& file : files) {
    std::string text = file.text(sorted);
    std::string path = outdir + "/" + file.name;
    if (write_output(path.c_str(), text.data(), text.size()) < 0) return -1;
  }
  return 0;
}
