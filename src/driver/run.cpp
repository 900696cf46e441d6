#include "driver/run.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "cmdline/parse_cmd.h"
#include "cmdline/print_usage.h"
#include "cmdline/version.h"
#include "compare/computed_deviation.h"
#include "compare/deviation.h"
#include "compare/verdict.h"
#include "convert/convert_responses.h"
#include "convert/curve_units.h"
#include "core/diagnostic.h"
#include "core/fail.h"
#include "core/last_error.h"
#include "core/messages.h"
#include "core/plot_options.h"
#include "draw/draw_picture.h"
#include "driver/hand_over.h"
#include "encode/curve_text.h"
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

// "-" stands for standard output; a file of that name is ./-.
const char* output_file(const char* path) {
  return strcmp(path, "-") == 0 ? "/dev/stdout" : path;
}

// With the picture going to standard output, that stream carries its bytes
// only: a message there would land in whatever file the output was sent to.
bool picture_on_stdout(const PlotOptions& o) {
  return strcmp(output_file(o.out_path), "/dev/stdout") == 0;
}

// The failure's message line, from last_error; returns `status`.
int print_failure(const PlotOptions& o, int status) {
  fprintf(picture_on_stdout(o) ? stderr : stdout, "%s\n", last_error.c_str());
  return status;
}

// A missing file name is answered with the help text before the message as
// well as after it.
int report_command_line(const PlotOptions& o, int parsed, const std::string& reason) {
  if (!reason.empty()) diagnose(reason);
  if (parsed == bad_x_range) {
    char range[80];
    snprintf(range, sizeof range, "%g;%g", o.x_min, o.x_max);
    diagnose(std::string("X_AXIS= (the [FREQ=] of the message) needs 0 < min <= max; it is ") +
             range);
  }
  if (picture_on_stdout(o)) return print_failure(o, command_line_failed);
  if (parsed == no_input_file || parsed == no_output_file) print_usage();
  print_failure(o, command_line_failed);
  print_usage();
  return command_line_failed;
}

// The status of a picture drawn with TOL=: 1 when a curve is outside it.
constexpr int outside_tolerance = 1;

int print_verdicts(const PlotOptions& o, const std::vector<Verdict>& verdicts) {
  bool all_within = true;
  for (const Verdict& v : verdicts) {
    fprintf(picture_on_stdout(o) ? stderr : stdout, "%s\n", verdict_line(v).c_str());
    all_within = all_within && v.within;
  }
  return all_within ? 0 : outside_tolerance;
}

// The fixed-cell picture, encoded; the image is not kept once encoded.
int draw_and_encode(const PicturePlan& plan, CurveList curves, const Legend& legend,
                    const PlotOptions& o, EncodedPicture& encoded) {
  Picture picture;
  if (draw_picture(plan, std::move(curves), legend, o, picture) < 0) return -1;
  return encode_picture(picture.get(), o.format, encoded);
}

void print_warnings(const Warnings& warnings) {
  for (const std::string& w : warnings) fprintf(stderr, "afcdraw: warning: %s\n", w.c_str());
}

// What the files look like once read (a phase file of amplitudes, curves
// of different units compared) is warned about, and with -strict fails as
// a warning on the command line does.
int warn_of_files(const PlotOptions& o, const Responses& responses) {
  Warnings warnings = responses.warnings;
  if (o.diff) {
    Warnings mismatches = unit_mismatches(responses.curves, o);
    warnings.insert(warnings.end(), mismatches.begin(), mismatches.end());
  }
  if (o.strict && !warnings.empty()) {
    last_error = std::string(message::strict_prefix) + warnings.front();
    return -1;
  }
  print_warnings(warnings);
  return 0;
}

// What only the fitted frequency range tells: a Nyquist line outside it
// draws nothing. A warning, and with -strict a failure of the command line.
int warn_after_planning(const PlotOptions& o, const PicturePlan& plan) {
  double line = o.nyquist / 2;
  const AxisScale& x = plan.amplitude.x;
  if (o.nyquist <= 0 || (x.min <= line && line <= x.max)) return 0;
  char text[160];
  snprintf(text, sizeof text, "NYQUIST= line at %g Hz lies outside the frequency range %g to %g Hz",
           line, x.min, x.max);
  if (o.strict) return fail((std::string(message::strict_prefix) + text).c_str(), -1);
  print_warnings({text});
  return 0;
}

// Where the command line names nothing, station metadata names the
// picture: its channel and epoch above, its units beside the amplitudes
// (unless those are normalised or in decibels).
void take_names(PlotOptions& o, const MetadataNames& names) {
  auto copy = [](char* field, size_t capacity, const std::string& text) {
    snprintf(field, capacity, "%s", text.c_str());
  };
  if (o.caption[0] == '\0') copy(o.caption, sizeof o.caption, names.caption);
  bool units_drawn = o.norm_f <= 0 && !o.db;
  if (o.dim_y[0] == '\0' && units_drawn) copy(o.dim_y, sizeof o.dim_y, names.amplitude_axis);
}

}  // namespace

// read every input -> warn of what they hold (with -diff, unlike units)
// -> convert them (units, normalisation) -> with -diff, compare them -> in
// decibels with -dB -> plan the picture (every check, no pixel) -> draw it
// -> encode it -> write it to OUT= safely -> with TOL=, the verdict. Each
// step runs only if the one before succeeded; a failure prints its message
// line and ends the run.
int run_with(int argc, const char* const argv[], ReportDrawer draw_report,
             std::vector<Verdict>* printed, const ChannelResponse* given) {
  if (asks_for_version(argc, argv)) {
    print_version();
    return 0;
  }
  PlotOptions o{};
  Warnings warnings;
  std::string reason;
  int parsed = parse_cmd(argc, argv, o, warnings, &reason);
  if (parsed == help_wanted) {
    print_usage();
    return 0;
  }
  if (parsed >= 0 && o.report && draw_report == nullptr) hand_over(argv);
  if (parsed != strict_warning) print_warnings(warnings);
  if (parsed < 0) return report_command_line(o, parsed, reason);
  Responses responses;
  if (int read = read_responses(o, responses, given); read < 0) {
    return print_failure(o, read == no_response_points ? no_points : input_not_read);
  }
  if (warn_of_files(o, responses) < 0) return print_failure(o, command_line_failed);
  take_names(o, responses.names);
  bool converted = o.units_to >= 0 || o.norm_f > 0;
  if (converted && convert_responses(responses.curves, o) < 0) return print_failure(o, no_points);
  if (o.diff && (compute_deviations(responses.curves, o) < 0 ||
                 keep_measured_deviations(responses.curves) < 0)) {
    return print_failure(o, no_points);
  }
  if (o.diff) note_not_judged(responses.curves, o);
  if (o.db && to_decibels(responses.curves, o) < 0) return print_failure(o, no_points);
  PicturePlan plan;
  if (plan_picture(responses.curves, o, plan) < 0) return print_failure(o, picture_not_made);
  if (warn_after_planning(o, plan) < 0) return print_failure(o, command_line_failed);
  std::vector<Verdict> verdicts;
  if (o.tol_given) verdicts = judge(responses.curves, plan.amplitude.x, o);
  EncodedPicture encoded;
  if (o.format == OutputFormat::fap) {
    encode_fap(responses.curves, o, encoded.own);
  } else if (o.report) {
    if (draw_report == nullptr) {
      fail(message::report_unavailable, -1);
      return print_failure(o, picture_not_made);
    }
    if (draw_report(plan, responses.curves, responses.legend, o, encoded) < 0) {
      return print_failure(o, picture_not_made);
    }
  } else if (draw_and_encode(plan, std::move(responses.curves), responses.legend, o, encoded) < 0) {
    return print_failure(o, picture_not_made);
  }
  const char* out = output_file(o.out_path);
  errno = 0;
  if (write_output(out, encoded.data(), encoded.size(), responses.sources) < 0) {
    if (errno != 0) diagnose(std::string("OUT=") + o.out_path + ": " + strerror(errno));
    return print_failure(o, picture_not_made);
  }
  if (printed != nullptr) *printed = verdicts;
  return print_verdicts(o, verdicts);
}
