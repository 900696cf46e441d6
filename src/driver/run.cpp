#include "driver/run.h"

#include <cstdio>
#include <cstring>
#include <utility>

#include "cmdline/parse_cmd.h"
#include "cmdline/print_usage.h"
#include "cmdline/version.h"
#include "core/last_error.h"
#include "core/plot_options.h"
#include "draw/draw_picture.h"
#include "encode/encode_picture.h"
#include "input/read_responses.h"
#include "layout/plan_picture.h"
#include "output/write_output.h"

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

// A missing file name is answered with the help text before the message as
// well as after it.
int report_command_line(int parsed) {
  if (parsed == no_input_file || parsed == no_output_file) print_usage();
  report(command_line_failed);
  print_usage();
  return command_line_failed;
}

// "-" stands for standard output; a file of that name is ./-.
const char* output_file(const char* path) {
  return strcmp(path, "-") == 0 ? "/dev/stdout" : path;
}

}  // namespace

// read every input -> plan the picture (every check, no pixel) -> draw it
// -> encode it -> write it to OUT= safely. Each step runs only if the one
// before succeeded; a failure prints its message line and ends the run.
int run(int argc, const char* const argv[]) {
  if (asks_for_version(argc, argv)) {
    print_version();
    return 0;
  }
  PlotOptions o{};
  int parsed = parse_cmd(argc, argv, o);
  if (parsed == help_wanted) {
    print_usage();
    return 0;
  }
  if (parsed < 0) return report_command_line(parsed);
  Responses responses;
  if (int read = read_responses(o, responses); read < 0) {
    return report(read == no_response_points ? no_points : input_not_read);
  }
  PicturePlan plan;
  if (plan_picture(responses.curves, o, plan) < 0) return report(picture_not_made);
  Picture picture;
  if (draw_picture(plan, std::move(responses.curves), responses.legend, o, picture) < 0) {
    return report(picture_not_made);
  }
  EncodedPicture encoded;
  if (encode_picture(picture.get(), o.format, encoded) < 0) return report(picture_not_made);
  picture.reset();  // the image is not needed once encoded
  if (write_output(output_file(o.out_path), encoded.bytes.get(), encoded.size, responses.sources) <
      0) {
    return report(picture_not_made);
  }
  return 0;
}
