#include "batch/summary.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <initializer_list>
#include <string_view>

#include "core/ascii_case.h"
#include "core/utf8.h"
#include "output/write_output.h"

namespace {

// Six significant digits: finer than any deviation a response file's
// numbers carry, and the same bytes for the same job.
std::string number(double value) {
  char text[32];
  snprintf(text, sizeof text, "%.6g", value);
  return text;
}

bool ends_with(const std::string& path, std::string_view ending) {
  return path.size() > ending.size() &&
         equal_folded(path.c_str() + path.size() - ending.size(), ending.data(), ending.size());
}

// RFC 4180: a field holding a comma, a quote or a line end is quoted, its
// quotes doubled.
std::string csv_field(std::string_view text) {
  if (text.find_first_of(",\"\r\n") == std::string_view::npos) return std::string(text);
  std::string quoted = "\"";
  for (char c : text) quoted += c == '"' ? std::string("\"\"") : std::string(1, c);
  return quoted + "\"";
}

// The measured value, or an empty cell.
std::string csv_number(bool measured, double value) {
  return measured && std::isfinite(value) ? number(value) : std::string();
}

constexpr const char* verdict_columns[] = {"key",    "db",      "db_hz",     "deg",
                                           "deg_hz", "verdict", "not_judged"};

// Each cell after a comma.
void add_cells(std::string& text, std::initializer_list<std::string> cells) {
  for (const std::string& cell : cells) text.append(1, ',').append(cell);
}

std::string csv_text(const std::vector<SummaryRow>& rows) {
  size_t most = 0;
  for (const SummaryRow& r : rows) most = std::max(most, r.verdicts.size());
  std::string text = "line,status";
  for (size_t k = 1; k <= most; ++k) {
    for (const char* column : verdict_columns) add_cells(text, {column + std::to_string(k)});
  }
  text += ",output\n";
  for (const SummaryRow& r : rows) {
    text.append(std::to_string(r.line));
    add_cells(text, {std::to_string(r.status)});
    for (size_t k = 0; k < most; ++k) {
      if (k >= r.verdicts.size()) {
        text.append(std::size(verdict_columns), ',');
        continue;
      }
      const JobVerdict& v = r.verdicts[k];
      add_cells(text,
                {csv_field(v.key), csv_number(v.measured, v.db), csv_number(v.measured, v.db_at),
                 csv_number(v.phase, v.deg), csv_number(v.phase, v.deg_at),
                 judgement_word(v.judgement), std::to_string(v.not_judged)});
    }
    add_cells(text, {csv_field(r.output)});
    text.append(1, '\n');
  }
  return text;
}

// A JSON string: quotes, backslashes and control characters escaped,
// other characters kept as UTF-8, a byte that starts none as U+FFFD.
std::string json_string(std::string_view text) {
  constexpr char replacement[] = "\xEF\xBF\xBD";
  constexpr unsigned char first_printable = 0x20;
  std::string out = "\"";
  while (!text.empty()) {
    Utf8Char c = next_char(text);
    std::string_view bytes = text.substr(0, static_cast<size_t>(c.length));
    text.remove_prefix(static_cast<size_t>(c.length));
    if (c.code == invalid_byte) {
      out += replacement;
    } else if (c.code == '"' || c.code == '\\') {
      out += '\\';
      out += static_cast<char>(c.code);
    } else if (c.code < first_printable) {
      char escaped[8];
      snprintf(escaped, sizeof escaped, "\\u%04x", static_cast<unsigned>(c.code));
      out += escaped;
    } else {
      out += bytes;
    }
  }
  return out + "\"";
}

std::string json_number(bool measured, double value) {
  return measured && std::isfinite(value) ? number(value) : std::string("null");
}

std::string json_verdict(const JobVerdict& v) {
  return "{\"key\": " + json_string(v.key) + ", \"db\": " + json_number(v.measured, v.db) +
         ", \"db_hz\": " + json_number(v.measured, v.db_at) +
         ", \"deg\": " + json_number(v.phase, v.deg) +
         ", \"deg_hz\": " + json_number(v.phase, v.deg_at) +
         ", \"verdict\": " + json_string(judgement_word(v.judgement)) +
         ", \"not_judged\": " + std::to_string(v.not_judged) + "}";
}

std::string json_text(const std::vector<SummaryRow>& rows) {
  std::string text = "[";
  for (size_t i = 0; i < rows.size(); ++i) {
    const SummaryRow& r = rows[i];
    text += i == 0 ? "\n" : ",\n";
    text += "  {\"line\": " + std::to_string(r.line) + ", \"status\": " + std::to_string(r.status) +
            ", \"verdicts\": [";
    for (size_t k = 0; k < r.verdicts.size(); ++k) {
      text += (k == 0 ? "" : ", ") + json_verdict(r.verdicts[k]);
    }
    text += "], \"output\": " + json_string(r.output) + "}";
  }
  return text + (rows.empty() ? "]\n" : "\n]\n");
}

}  // namespace

SummaryFormat summary_format(const std::string& path) {
  if (ends_with(path, ".csv")) return SummaryFormat::csv;
  if (ends_with(path, ".json")) return SummaryFormat::json;
  return SummaryFormat::none;
}

std::string summary_text(const std::vector<SummaryRow>& rows, SummaryFormat format) {
  return format == SummaryFormat::json ? json_text(rows) : csv_text(rows);
}

int write_summary(const std::string& path, SummaryFormat format,
                  const std::vector<SummaryRow>& rows) {
  std::string text = summary_text(rows, format);
  return write_output(path.c_str(), text.data(), text.size());
}
