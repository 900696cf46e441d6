#include <string>

#include "qc/qc_files.h"

namespace {

// RFC 4180: a field with a comma, quote or line break is quoted, its quotes doubled.
void put_field(std::string& out, const std::string& field) {
  if (field.find_first_of(",\"\r\n") == std::string::npos) {
    out += field;
    return;
  }
  out += '"';
  for (char c : field) {
    if (c == '"') out += '"';
    out += c;
  }
  out += '"';
}

}  // namespace

std::string summary_csv(const std::vector<QcEpoch>& sorted) {
  std::string csv = "channel,start,end,check,result,value,limit,message,picture\r\n";
  for (const QcEpoch& e : sorted) {
    for (const QcFinding& f : e.findings) {
      for (const std::string* field : {&e.channel, &e.start, &e.end, &f.check}) {
        put_field(csv, *field);
        csv += ',';
      }
      csv += qc_result_word(f.result);
      for (const std::string* field : {&f.value, &f.limit, &f.message, &e.picture}) {
        csv += ',';
        put_field(csv, *field);
      }
      csv += "\r\n";
    }
  }
  return csv;
}
