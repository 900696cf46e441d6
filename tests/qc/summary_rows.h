#pragma once

#include <map>
#include <string>
#include <utility>
#include <vector>

// One row of summary.csv as a test reads it: its result word and the whole line.
struct SummaryRow {
  std::string result, line;
};

// summary.csv's rows by channel and check. The tests' channels and check ids
// hold no comma, so the first five fields split plainly.
inline std::map<std::pair<std::string, std::string>, SummaryRow> summary_rows(
    const std::string& csv) {
  std::map<std::pair<std::string, std::string>, SummaryRow> out;
  size_t at = csv.find("\r\n") + 2;  // past the header
  while (at < csv.size()) {
    size_t end = csv.find("\r\n", at);
    std::string line = csv.substr(at, end - at);
    std::vector<std::string> f;
    for (size_t p = 0, q; f.size() < 5; p = q + 1) {
      q = line.find(',', p);
      f.push_back(line.substr(p, q - p));
    }
    out[{f[0], f[3]}] = {f[4], line};
    at = end + 2;
  }
  return out;
}
