// afcdraw: draws an amplitude-frequency response as a GIF picture.

#include <cstdio>
#include <utility>

#include "cmdline/parse_cmd.h"
#include "cmdline/plot_options.h"
#include "cmdline/print_usage.h"
#include "core/last_error.h"
#include "core/response_point.h"
#include "input/file_text.h"
#include "input/read_in.h"
#include "input/str2graph.h"
#include "plot/draw_gif.h"

namespace {

// The exit status of each failing stage; the shell sees them as 255 to 252.
constexpr int command_line_failed = -1;
constexpr int input_not_read = -2;
constexpr int no_points = -3;
constexpr int picture_not_made = -4;

int report(int status) {
  printf("%s\n", last_error.c_str());
  return status;
}

}  // namespace

int main(int argc, char* argv[]) {
  PlotOptions o{};
  if (parse_cmd(argc, argv, o) < 0) {
    report(command_line_failed);
    print_usage();
    return command_line_failed;
  }
  FileText text;
  FileIdentity input;  // the picture is never written over it
  if (read_in(o.in_path, text, &input) < 0) return report(input_not_read);

  // Neither the text nor the points are looked at again once handed on.
  PointList points;
  if (str2graph(std::move(text), points) < 0) return report(no_points);
  if (draw_gif(o.out_path, std::move(points), o.x_min, o.x_max, o.log_x, o.log_y, o.caption,
               o.size_x, o.size_y, o.sub_grid_x, o.sub_grid_y, o.dim_x, o.dim_y, input) < 0) {
    return report(picture_not_made);
  }
  return 0;
}
