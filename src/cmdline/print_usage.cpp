#include "cmdline/print_usage.h"

#include <algorithm>
#include <cstdio>

#include "cmdline/console_charset.h"
#include "cmdline/option_keys.h"
#include "cmdline/usage_texts.h"

namespace {

constexpr const char* program = "afcdraw.exe";
constexpr const char* version = "v" AFCDRAW_VERSION;  // from the project version

// An option or status line: two spaces, the key padded to `width`, the text.
void key_line(ConsoleText& convert, int width, const char* key, const char* text) {
  printf("%-2s%-*s%s\n", "", width, key, convert(text));
}

// The heading of the options added since, in UTF-8 like their lines.
constexpr char added_heading[] = "Дополнительные параметры, добавленные позже:";

// The options added since the first release, one line each from the option
// table, after the help text of old and in its layout.
void print_added_options() {
  // The keys in one column, as in the help text of old: the longest and a blank.
  int width = 0;
  for (size_t e = 0; e < option_key_count; ++e) {
    if (option_keys[e].help != nullptr) {
      width = std::max(width, static_cast<int>(help_spelling(option_keys[e]).size()) + 1);
    }
  }
  ConsoleText convert("UTF-8");
  printf("\n%s\n", convert(added_heading));
  for (size_t e = 0; e < option_key_count; ++e) {
    const OptionKey& k = option_keys[e];
    if (k.help == nullptr) continue;
    key_line(convert, width, help_spelling(k).c_str(), k.help);
  }
}

}  // namespace

void print_usage() {
  using namespace usage_text;
  ConsoleText convert;
  printf("%s\n", convert(description));
  printf("  %s %s%s\n", program, version, convert(purpose));
  printf("\n%s\n", convert(notes));
  printf("%-2s%s\n", "", convert(defaults));
  printf("%-4s%s\n", "", convert(default_scale));
  printf("%-4s%s\n", "", convert(default_size));
  printf("%-4s%s\n", "", convert(default_range));
  printf("\n%s\n", convert(usage));
  printf("  %s IN=input_filename OUT=output_filename [attributes]\n", program);
  printf("\n%s\n", convert(required));
  key_line(convert, 4, "IN=", in);
  key_line(convert, 4, "OUT=", out);
  printf("\n%s\n", convert(optional));
  key_line(convert, 10, "X_AXIS=", x_axis);
  key_line(convert, 10, "-linX", lin_x);
  key_line(convert, 10, "/linX", lin_x_alias);
  key_line(convert, 10, "-linY", lin_y);
  key_line(convert, 10, "/linY", lin_y_alias);
  key_line(convert, 10, "CAPTION=", caption);
  key_line(convert, 10, "SIZE=", size);
  key_line(convert, 10, "SUB_GRID=", sub_grid);
  key_line(convert, 10, "SUB_GRIDX=", sub_grid_x);
  key_line(convert, 10, "SUB_GRIDY=", sub_grid_y);
  key_line(convert, 10, "DIMX=", dim_x);
  key_line(convert, 10, "DIMY=", dim_y);
  printf("\n%s\n", convert(statuses));
  key_line(convert, 3, "0", status_0);
  key_line(convert, 3, "-1", status_1);
  key_line(convert, 3, "-2", status_2);
  key_line(convert, 3, "-3", status_3);
  key_line(convert, 3, "-4", status_4);
  print_added_options();
}
