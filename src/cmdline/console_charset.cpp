#include "cmdline/console_charset.h"

#include <langinfo.h>

#include <clocale>
#include <cstring>

namespace {

// "KOI8-R", "koi8r" and "KOI8_R" name the same set.
std::string normalised(const char* name) {
  std::string out;
  for (const char* p = name; *p; ++p) {
    char c = *p;
    if (c == '-' || c == '_') continue;
    out += (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
  }
  return out;
}

}  // namespace

const char* charset_for_codeset(const char* codeset) {
  static constexpr const char* cyrillic[][2] = {
      {"UTF8", "UTF-8"},         {"CP866", "CP866"},        {"IBM866", "CP866"},
      {"KOI8R", "KOI8-R"},       {"KOI8U", "KOI8-U"},       {"CP1251", "CP1251"},
      {"WINDOWS1251", "CP1251"}, {"ISO88595", "ISO-8859-5"}};
  std::string name = normalised(codeset);
  for (const auto& entry : cyrillic) {
    if (name == entry[0]) return entry[1];
  }
  return "UTF-8";
}

std::string console_charset() {
  // Ask the user's locale, then put LC_CTYPE back as it was.
  const char* current = setlocale(LC_CTYPE, nullptr);
  std::string saved = current ? current : "C";
  std::string chosen = "UTF-8";
  if (setlocale(LC_CTYPE, "") != nullptr) chosen = charset_for_codeset(nl_langinfo(CODESET));
  setlocale(LC_CTYPE, saved.c_str());
  return chosen;
}

ConsoleText::ConsoleText(const char* from) : cd_(iconv_open(console_charset().c_str(), from)) {
  if (cd_ == reinterpret_cast<iconv_t>(-1)) cd_ = iconv_open("UTF-8", from);
}

ConsoleText::~ConsoleText() {
  if (cd_ != reinterpret_cast<iconv_t>(-1)) iconv_close(cd_);
}

const char* ConsoleText::operator()(const char* text) {
  memset(buffer_, 0, sizeof buffer_);
  size_t in_left = strlen(text);
  if (cd_ == reinterpret_cast<iconv_t>(-1)) {
    memcpy(buffer_, text, in_left < sizeof buffer_ ? in_left : sizeof buffer_ - 1);
    return buffer_;
  }
  char* in = const_cast<char*>(text);
  char* out = buffer_;
  size_t out_left = sizeof buffer_ - 1;
  iconv(cd_, nullptr, nullptr, nullptr, nullptr);
  iconv(cd_, &in, &in_left, &out, &out_left);
  return buffer_;
}
