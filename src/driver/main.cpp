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
#include "plot/draw_picture.h"

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

PictureOptions picture_options(const PlotOptions& o) {
  PictureOptions p;
  p.x_min = o.x_min;
  p.x_max = o.x_max;
  p.log_x = o.log_x;
  p.log_y = o.log_y;
  p.caption = o.caption;
  p.size_x = o.size_x;
  p.size_y = o.size_y;
  p.sub_grid_x = o.sub_grid_x;
  p.sub_grid_y = o.sub_grid_y;
  p.dim_x = o.dim_x;
  p.dim_y = o.dim_y;
  p.fit = o.fit;
  p.x_axis_given = o.x_axis_given;
  p.phase = o.phase;
  p.unwrap = o.unwrap;
  p.dim_p = o.dim_p;
  return p;
}

// The last two stages with -fit or -phase: the phase column is read only
// when it is shown.
int fitted_run(const PlotOptions& o, FileText text) {
  CurveList curves(1);
  Curve& curve = curves[0];
  int found = o.phase ? str2graph_with_phases(std::move(text), curve.points, curve.phases)
                      : str2graph(std::move(text), curve.points);
  if (found < 0) return report(no_points);
  if (draw_picture(o.out_path, curves, picture_options(o)) < 0) return report(picture_not_made);
  return 0;
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
  if (read_in(o.in_path, text) < 0) return report(input_not_read);

  // Neither the text nor the points are looked at again once handed on.
  if (o.fit || o.phase) return fitted_run(o, std::move(text));
  PointList points;
  if (str2graph(std::move(text), points) < 0) return report(no_points);
  if (draw_gif(o.out_path, std::move(points), o.x_min, o.x_max, o.log_x, o.log_y, o.caption,
               o.size_x, o.size_y, o.sub_grid_x, o.sub_grid_y, o.dim_x, o.dim_y) < 0) {
    return report(picture_not_made);
  }
  return 0;
}
