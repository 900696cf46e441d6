#include "cmdline/print_usage.h"

#include <gtest/gtest.h>

#include <iconv.h>

#include <cstdlib>
#include <string>

#include "cmdline/console_charset.h"
#include "support/help_text.h"
#include "support/test_files.h"

namespace {

std::string convert(const std::string& text, const char* to) {
  iconv_t cd = iconv_open(to, "UTF-8");
  std::string out(text.size() * 2, '\0');
  char* in = const_cast<char*>(text.data());
  size_t in_left = text.size();
  char* o = out.data();
  size_t out_left = out.size();
  iconv(cd, &in, &in_left, &o, &out_left);
  iconv_close(cd);
  out.resize(out.size() - out_left);
  return out;
}

TEST(PrintUsage, Utf8WhereTheLocaleCannotShowCyrillic) {
  // Help switch among two arguments: the help text alone, status 0.
  for (const char* locale :
       {"LC_ALL=C.UTF-8", "LC_ALL=C", "LC_ALL=POSIX", "LANG=en_US.ISO-8859-1"}) {
    RunResult r = run_afcdraw({"IN=x", "/?"}, {locale});
    EXPECT_EQ(0, r.status) << locale;
    EXPECT_EQ(help_text_utf8, r.out) << locale;
  }
}

// Russian locales in their own 8-bit sets, built for the test with localedef.
TEST(PrintUsage, InTheCharacterSetOfACyrillicLocale) {
  TempDir dir;
  const struct {
    const char* charmap;
    const char* iconv_name;
  } cases[] = {{"KOI8-R", "KOI8-R"}, {"CP1251", "CP1251"}, {"ISO-8859-5", "ISO-8859-5"}};
  for (const auto& c : cases) {
    std::string name = std::string("ru_RU.") + c.charmap;
    std::string command = "localedef -i ru_RU -f " + std::string(c.charmap) + " " + dir.path(name) +
                          " >/dev/null 2>&1";
    if (system(command.c_str()) != 0) SKIP_OUTSIDE_CI("localedef cannot build " + name);
    RunResult r = run_afcdraw({"IN=x", "/?"}, {"LOCPATH=" + dir.dir(), "LC_ALL=" + name});
    EXPECT_EQ(0, r.status) << name;
    EXPECT_EQ(convert(help_text_utf8, c.iconv_name), r.out) << name;
  }
}

TEST(PrintUsage, InProcessUnderTheCLocale) {
  testing::internal::CaptureStdout();
  print_usage();
  std::string out = testing::internal::GetCapturedStdout();
  // The test process runs in the C locale: UTF-8.
  EXPECT_EQ(help_text_utf8, out);
}

TEST(ConsoleCharset, CodesetsThatCanShowCyrillic) {
  const struct {
    const char* codeset;
    const char* chosen;
  } cases[] = {{"UTF-8", "UTF-8"},           {"utf8", "UTF-8"},           {"KOI8-R", "KOI8-R"},
               {"CP1251", "CP1251"},         {"IBM866", "CP866"},         {"CP866", "CP866"},
               {"ISO-8859-5", "ISO-8859-5"}, {"ANSI_X3.4-1968", "UTF-8"}, {"ISO-8859-1", "UTF-8"}};
  for (const auto& c : cases) EXPECT_STREQ(c.chosen, charset_for_codeset(c.codeset)) << c.codeset;
}

TEST(ConsoleText, ConvertsTheLongestTextWhole) {
  ConsoleText to_console;  // UTF-8 in the test's C locale
  std::string cp1251 = convert(
      "Разбиение координатной сетки (декады, для Log10-шкалы) по оси X "
      "с отображением амплитудно-частотной",
      "CP1251");
  std::string back = convert(to_console(cp1251.c_str()), "CP1251");
  EXPECT_EQ(cp1251, back);
}

}  // namespace
