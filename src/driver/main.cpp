// afcdraw: draws amplitude-frequency responses as a GIF or PNG picture.

#include <cstdio>
#include <cstring>
#include <utility>

#include "cmdline/parse_cmd.h"
#include "cmdline/plot_options.h"
#include "cmdline/print_usage.h"
#include "cmdline/version.h"
#include "core/file_identity.h"
#include "core/last_error.h"
#include "core/response_point.h"
#include "input/file_text.h"
#include "input/read_in.h"
#include "input/str2graph.h"
#include "plot/curve.h"
#include "plot/draw_picture.h"

namespace {

// The exit status of each failing stage; the shell sees them as 255 to 252.
constexpr int command_line_failed = -1;
constexpr int input_not_read = -2;
constexpr int no_points = -3;
constexpr int picture_not_made = -4;

constexpr const char* in_keys[max_inputs] = {"IN=", "IN2=", "IN3=", "IN4="};

int report(int status) {
  printf("%s\n", last_error.c_str());
  return status;
}

// "-" stands for standard input or output; a file of that name is ./-.
const char* stream_or_path(const char* path, const char* stream) {
  return strcmp(path, "-") == 0 ? stream : path;
}

// The points (and with -phase the phases) of a file's text, which is
// released once they are out; the phase column is read only when shown.
int extract(FileText text, bool with_phases, Curve& curve) {
  return with_phases ? str2graph_with_phases(std::move(text), curve.points, curve.phases)
                     : str2graph(std::move(text), curve.points);
}

// Reads the response file given with in_keys[input] into `curve`. A failing
// further file adds its key and path to the message, so a batch log tells
// which one failed.
int read_response(int input, const char* path, bool with_phases, Curve& curve) {
  FileText text;
  int status = 0;
  if (read_in(stream_or_path(path, "/dev/stdin"), text, &curve.source) < 0) {
    status = input_not_read;
  } else if (int r = extract(std::move(text), with_phases, curve); r < 0) {
    status = r == file_cut_short ? input_not_read : no_points;
  }
  if (status < 0 && input > 0) last_error = last_error + ": " + in_keys[input] + path;
  return status;
}

const char* input_path(const PlotOptions& o, int input) {
  return input == 0 ? o.in_path : o.more_in_paths[input - 1];
}

PictureSettings settings_of(const PlotOptions& o) {
  PictureSettings s{o.x_min,  o.x_max,      o.log_x != 0, o.log_y != 0, o.caption, o.size_x,
                    o.size_y, o.sub_grid_x, o.sub_grid_y, o.dim_x,      o.dim_y,   o.format};
  s.fit = o.fit != 0;
  s.x_axis_given = o.x_axis_given != 0;
  s.phase = o.phase != 0;
  s.unwrap = o.unwrap != 0;
  s.dim_p = o.dim_p;
  return s;
}

}  // namespace

// Every input is read before anything is drawn; the curves keep the order
// and colours of their keys (the phase curve that of its amplitude curve),
// and a name gives its curve a legend line.
int main(int argc, char* argv[]) {
  if (asks_for_version(argc, argv)) {
    print_version();
    return 0;
  }
  PlotOptions o{};
  if (parse_cmd(argc, argv, o) < 0) {
    report(command_line_failed);
    print_usage();
    return command_line_failed;
  }
  CurveList curves;
  Legend legend;
  curves.reserve(max_inputs);
  legend.reserve(max_inputs);
  for (int i = 0; i < max_inputs; ++i) {
    const char* path = input_path(o, i);
    if (path[0] == '\0') continue;
    Curve curve{{}, {}, curve_colors[i], {}};  // the picture is never written over its source
    int status = read_response(i, path, o.phase != 0, curve);
    if (status < 0) return report(status);
    curves.push_back(std::move(curve));
    if (o.names[i][0] != '\0') legend.push_back({o.names[i], curves.size() - 1});
  }
  if (draw_picture(stream_or_path(o.out_path, "/dev/stdout"), std::move(curves), legend,
                   settings_of(o)) < 0) {
    return report(picture_not_made);
  }
  return 0;
}
