#include "cmdline/print_usage.h"

#include <cstdio>

#include "cmdline/console_charset.h"
#include "cmdline/usage_texts.h"

namespace {

constexpr const char* program = "afcdraw.exe";
constexpr const char* version = "v" AFCDRAW_VERSION;  // from the project version

// An option or status line: two spaces, the key padded to `width`, the text.
void key_line(ConsoleText& convert, int width, const char* key, const char* text) {
  printf("%-2s%-*s%s\n", "", width, key, convert(text));
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
}
