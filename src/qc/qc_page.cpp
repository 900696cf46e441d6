#include <set>
#include <string>

#include "qc/qc_files.h"
#include "qc/qc_order.h"
#include "qc/qc_page_assets.h"
#include "qc/qc_text.h"

// The rows travel as JSON data that the page's script turns into table rows
// a screenful at a time: five thousand epochs written out as HTML rows took
// Chromium seconds to parse and lay out, the table's columns waiting for
// every row.

namespace {

// "3.1 % against 5 %", or whichever of the two there is.
std::string value_against_limit(const QcFinding& f) {
  if (f.value.empty() && f.limit.empty()) return "";
  if (f.limit.empty()) return f.value;
  if (f.value.empty()) return "limit " + f.limit;
  return f.value + " against " + f.limit;
}

// [check, result, message, numbers]
void add_finding(std::string& out, const QcFinding& f) {
  out.append("[").append(json_string(f.check)).append(",\"").append(qc_result_word(f.result));
  out.append("\",").append(json_string(f.message)).append(",");
  out.append(json_string(value_against_limit(f))).append("]");
}

// [verdict, channel, network, station, start, end, picture URL, findings]
void add_epoch(std::string& out, const QcEpoch& e) {
  out.append("[\"").append(qc_result_word(qc_epoch_result(e))).append("\"");
  for (const std::string& text : {e.channel, network_of(e.channel), station_of(e.channel), e.start,
                                  e.end, url_path(e.picture)}) {
    out.append(",").append(json_string(text));
  }
  out.append(",[");
  for (size_t i = 0; i < e.findings.size(); ++i) {
    if (i > 0) out.append(",");
    add_finding(out, e.findings[i]);
  }
  out.append("]]");
}

// Inside a script element only "</script" or "<!--" could end the data
// early; no "<" is left to begin either.
std::string script_safe(const std::string& json) {
  std::string out;
  out.reserve(json.size());
  for (char c : json) {
    if (c == '<') {
      out += "\\u003c";
    } else {
      out += c;
    }
  }
  return out;
}

std::string rows_data(const std::vector<QcEpoch>& sorted) {
  std::string data = "[";
  bool first = true;
  for (const QcEpoch* e : worst_first(sorted)) {
    data.append(first ? "\n" : ",\n");
    add_epoch(data, *e);
    first = false;
  }
  return script_safe(data + "\n]");
}

std::string counts(const std::vector<QcEpoch>& sorted) {
  size_t by_result[3] = {0, 0, 0};
  for (const QcEpoch& e : sorted) ++by_result[static_cast<int>(qc_epoch_result(e))];
  auto count = [&](QcResult r, const char* words) {
    return "<span class=\"" + std::string(qc_result_word(r)) + "\">" +
           std::to_string(by_result[static_cast<int>(r)]) + " " + words + "</span>";
  };
  return "<p class=\"counts\"><span>" + std::to_string(sorted.size()) + " channel epochs</span>" +
         count(QcResult::fail, "failed") + count(QcResult::not_checked, "not checked") +
         count(QcResult::pass, "passed") + "</p>\n";
}

std::string select(const char* id, const char* label, const std::set<std::string>& values) {
  std::string text =
      "<label>" + std::string(label) + " <select id=\"" + id + "\"><option value=\"\">all</option>";
  for (const std::string& v : values) {
    text += "<option value=\"" + xml_text(v, true) + "\">" + xml_text(v) + "</option>";
  }
  return text + "</select></label>\n";
}

std::string filters(const std::vector<QcEpoch>& sorted) {
  std::set<std::string> networks, stations;
  for (const QcEpoch& e : sorted) {
    networks.insert(network_of(e.channel));
    stations.insert(station_of(e.channel));
  }
  return "<form id=\"filters\">\n"
         "<label>Verdict <select id=\"verdict\"><option value=\"\">all</option>"
         "<option value=\"fail\">fail</option><option value=\"not-checked\">not checked</option>"
         "<option value=\"pass\">pass</option></select></label>\n" +
         select("net", "Network", networks) + select("sta", "Station", stations) +
         "<output id=\"shown\"></output>\n</form>\n";
}

}  // namespace

std::string qc_page(const std::vector<QcEpoch>& sorted) {
  return "<!DOCTYPE html>\n<html lang=\"en\">\n<head>\n<meta charset=\"utf-8\">\n"
         "<meta name=\"viewport\" content=\"width=device-width\">\n"
         "<title>Network check</title>\n<style>" +
         std::string(qc_page_style) + "</style>\n</head>\n<body>\n<h1>Network check</h1>\n" +
         counts(sorted) + filters(sorted) +
         "<noscript><p>The rows need JavaScript; summary.csv holds them all.</p></noscript>\n"
         "<table>\n<thead><tr><th>Verdict</th><th>Channel</th><th>Start</th><th>End</th>"
         "<th>Checks</th><th>Picture</th></tr></thead>\n<tbody id=\"rows\"></tbody>\n</table>\n"
         "<p id=\"more\"></p>\n<script type=\"application/json\" id=\"data\">" +
         rows_data(sorted) + "</script>\n<script>" + qc_page_script +
         "</script>\n</body>\n</html>\n";
}
