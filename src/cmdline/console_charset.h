#pragma once

#include <iconv.h>

#include <string>

// The character set the help text is printed in: the user's locale's own when
// it can show Cyrillic, UTF-8 otherwise (the C locale has no such set).
std::string console_charset();

// Picks the output set for a locale's codeset name as nl_langinfo gives it.
const char* charset_for_codeset(const char* codeset);

// Converts zero-terminated texts for the console, one at a time: the help
// text of old is held in Windows-1251, the lines added since in UTF-8.
class ConsoleText {
 public:
  explicit ConsoleText(const char* from = "CP1251");
  ~ConsoleText();
  ConsoleText(const ConsoleText&) = delete;
  ConsoleText& operator=(const ConsoleText&) = delete;

  // The converted text; valid until the next call. A text that cannot be
  // converted comes out as far as it could be.
  const char* operator()(const char* text);

 private:
  iconv_t cd_;
  // A Cyrillic letter takes two bytes in UTF-8: 109 bytes of Windows-1251
  // need up to 218 here, and a UTF-8 line no more than its own length.
  char buffer_[512];
};
