#include "qc/read_summary.h"

#include <string>

#include "core/last_error.h"
#include "core/utf8.h"

namespace {

constexpr char32_t first_printable = 0x20;
constexpr int hex_digits = 4;  // of a \u escape

// A cursor over the text; the first thing it cannot read stops it for good.
class Reader {
 public:
  explicit Reader(std::string_view text) : text_(text) {}

  bool ok() const { return error_.empty(); }
  const std::string& error() const { return error_; }

  // True, having read `c` (after spacing), when it comes next.
  bool take(char c) {
    skip_space();
    if (!ok() || at_ >= text_.size() || text_[at_] != c) return false;
    ++at_;
    return true;
  }
  void expect(char c) {
    if (!take(c)) refuse(std::string("'") + c + "' expected");
  }
  void expect_word(std::string_view word) {
    skip_space();
    if (ok() && text_.substr(at_, word.size()) != word) refuse(std::string(word) + " expected");
    at_ += word.size();
  }
  void expect_key(const char* key) {
    std::string name = string();
    if (ok() && name != key) refuse(std::string("\"") + key + "\" expected");
    expect(':');
  }
  std::string string();
  void end() {
    skip_space();
    if (ok() && at_ != text_.size()) refuse("nothing expected after the end");
  }
  void refuse(const std::string& why) {
    if (ok()) error_ = "at byte " + std::to_string(at_) + ": " + why;
  }

 private:
  void skip_space() {
    while (at_ < text_.size() &&
           (text_[at_] == ' ' || text_[at_] == '\n' || text_[at_] == '\r' || text_[at_] == '\t')) {
      ++at_;
    }
  }
  bool escape(std::string& out);
  bool unicode_escape(std::string& out);

  std::string_view text_;
  size_t at_ = 0;
  std::string error_;
};

void put_utf8(std::string& out, char32_t code) {
  constexpr char32_t one_byte = 0x80, two_bytes = 0x800;
  if (code < one_byte) {
    out += static_cast<char>(code);
  } else if (code < two_bytes) {
    out += static_cast<char>(0xC0 | code >> 6);
    out += static_cast<char>(0x80 | (code & 0x3F));
  } else {
    out += static_cast<char>(0xE0 | code >> 12);
    out += static_cast<char>(0x80 | (code >> 6 & 0x3F));
    out += static_cast<char>(0x80 | (code & 0x3F));
  }
}

bool Reader::unicode_escape(std::string& out) {
  if (text_.size() - at_ < hex_digits) return false;
  char32_t code = 0;
  for (int i = 0; i < hex_digits; ++i) {
    char c = text_[at_++];
    int digit = c >= '0' && c <= '9'   ? c - '0'
                : c >= 'a' && c <= 'f' ? c - 'a' + 10
                : c >= 'A' && c <= 'F' ? c - 'A' + 10
                                       : -1;
    if (digit < 0) return false;
    code = code << 4 | static_cast<char32_t>(digit);
  }
  constexpr char32_t surrogates = 0xD800, past_surrogates = 0xE000;
  if (code >= surrogates && code < past_surrogates) return false;  // never written
  put_utf8(out, code);
  return true;
}

bool Reader::escape(std::string& out) {
  if (at_ >= text_.size()) return false;
  char c = text_[at_++];
  switch (c) {
    case '"':
    case '\\':
    case '/':
      out += c;
      return true;
    case 'b':
      out += '\b';
      return true;
    case 'f':
      out += '\f';
      return true;
    case 'n':
      out += '\n';
      return true;
    case 'r':
      out += '\r';
      return true;
    case 't':
      out += '\t';
      return true;
    case 'u':
      return unicode_escape(out);
    default:
      return false;
  }
}

std::string Reader::string() {
  std::string out;
  if (!take('"')) {
    refuse("a string expected");
    return out;
  }
  while (ok()) {
    if (at_ >= text_.size()) {
      refuse("the string does not end");
    } else if (text_[at_] == '"') {
      ++at_;
      break;
    } else if (text_[at_] == '\\') {
      ++at_;
      if (!escape(out)) refuse("an unknown escape");
    } else {
      Utf8Char c = next_char(text_.substr(at_));
      if (c.code == invalid_byte || c.code < first_printable) {
        refuse("a byte no JSON string holds");
      } else {
        out.append(text_.substr(at_, static_cast<size_t>(c.length)));
        at_ += static_cast<size_t>(c.length);
      }
    }
  }
  return out;
}

QcResult result_of(Reader& r) {
  std::string word = r.string();
  for (QcResult result : {QcResult::pass, QcResult::fail, QcResult::not_checked}) {
    if (word == qc_result_word(result)) return result;
  }
  r.refuse("pass, fail or not-checked expected");
  return QcResult::not_checked;
}

QcFinding finding(Reader& r) {
  QcFinding f;
  r.expect('{');
  r.expect_key("check");
  f.check = r.string();
  r.expect(',');
  r.expect_key("result");
  f.result = result_of(r);
  for (auto [key, field] : {std::pair{"value", &f.value}, std::pair{"limit", &f.limit},
                            std::pair{"message", &f.message}}) {
    r.expect(',');
    r.expect_key(key);
    *field = r.string();
  }
  r.expect('}');
  return f;
}

QcEpoch epoch(Reader& r) {
  QcEpoch e;
  r.expect('{');
  bool first = true;
  for (auto [key, field] : {std::pair{"channel", &e.channel}, std::pair{"start", &e.start},
                            std::pair{"end", &e.end}, std::pair{"picture", &e.picture}}) {
    if (!first) r.expect(',');
    first = false;
    r.expect_key(key);
    *field = r.string();
  }
  r.expect(',');
  r.expect_key("findings");
  r.expect('[');
  if (!r.take(']')) {
    do e.findings.push_back(finding(r));
    while (r.ok() && r.take(','));
    r.expect(']');
  }
  r.expect('}');
  return e;
}

}  // namespace

int read_summary(std::string_view text, std::vector<QcEpoch>& epochs) {
  Reader r(text);
  r.expect('{');
  r.expect_key("afcdraw_qc");
  r.expect_word("1");
  r.expect(',');
  r.expect_key("epochs");
  r.expect('[');
  if (!r.take(']')) {
    do epochs.push_back(epoch(r));
    while (r.ok() && r.take(','));
    r.expect(']');
  }
  r.expect('}');
  r.end();
  if (r.ok()) return 0;
  last_error = "not a network check's summary.json: " + r.error();
  return -1;
}
