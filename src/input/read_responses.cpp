#include "input/read_responses.h"

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstring>
#include <new>
#include <numbers>
#include <string>
#include <utility>

#include "core/diagnostic.h"
#include "core/fail.h"
#include "core/log_table.h"
#include "core/messages.h"
#include "core/unwrap.h"
#include "input/pole_zero.h"
#include "input/read_in.h"
#include "input/str2graph.h"

namespace {

// "-" stands for standard input; a file of that name is ./-.
const char* file_of(const char* path) {
  return strcmp(path, "-") == 0 ? "/dev/stdin" : path;
}

// The points (and with phases the phases) of a file's text, which is
// released once they are out; the phase column is read only when shown.
int extract(FileText text, bool with_phases, PointList& points, PointList& phases) {
  return with_phases ? str2graph_with_phases(std::move(text), points, phases)
                     : str2graph(std::move(text), points);
}

// Why the file named with `key` could not be read, for the user.
void diagnose_read(const char* key, const char* path, int error) {
  std::string cause = last_error == message::file_read_error ? "it changed while it was read"
                      : error != 0                           ? strerror(error)
                                   : "no data: the file is empty or begins with a Ctrl-Z byte";
  diagnose(std::string(key) + path + ": " + cause);
}

// The frequencies a pole-zero response is evaluated at: log-spaced (on a
// linear axis evenly) across the frequency range, two for each column of
// the picture, enough for a smooth curve. With -fit and no X_AXIS= the range
// shows every corner: a decade beyond the lowest and the highest root.
std::vector<double> sampling(const PoleZero& pz, const PlotOptions& o) {
  double lo = o.x_min, hi = o.x_max;
  if (o.fit && !o.x_axis_given) {
    double least = HUGE_VAL, most = 0;
    for (const auto* roots : {&pz.zeros, &pz.poles}) {
      for (const auto& r : *roots) {
        double f = std::abs(r) / (2 * std::numbers::pi);
        if (f > 0) least = std::min(least, f), most = std::max(most, f);
      }
    }
    constexpr double decade = 10;
    // Roots at the ends of the double range would give no finite range.
    if (most > 0 && least / decade > 0 && std::isfinite(most * decade)) {
      lo = least / decade, hi = most * decade;
    }
  }
  constexpr int per_column = 2;
  int n = std::max(2, per_column * o.size_x);
  std::vector<double> f(static_cast<size_t>(n));
  for (int i = 0; i < n; ++i) {
    double t = static_cast<double>(i) / (n - 1);
    f[i] = o.log_x ? lo * std::pow(hi / lo, t) : lo + (hi - lo) * t;
  }
  return f;
}

int pole_zero_points(std::string_view text, const PlotOptions& o, PointList& points,
                     PointList& phases) {
  PoleZero pz;
  int line;
  std::string why;
  if (parse_pole_zero(text, pz, line, why) < 0) {
    last_error =
        std::string(message::bad_pole_zero) + ", line " + std::to_string(line) + ": " + why;
    return no_response_points;
  }
  PointList all_phases;
  evaluate_pole_zero(pz, sampling(pz, o), points, all_phases);
  if (o.phase) phases = std::move(all_phases);
  return 0;
}

// The two (with phases three) columns of the file given with `key`, or
// the response of a pole-zero file.
int read_points(const char* key, const char* path, bool with_phases, const PlotOptions& o,
                PointList& points, PointList& phases, FileIdentity& source) {
  FileText text;
  if (read_in(file_of(path), text, &source) < 0) {
    diagnose_read(key, path, errno);
    return response_not_read;
  }
  if (is_pole_zero(text.view())) return pole_zero_points(text.view(), o, points, phases);
  int status = extract(std::move(text), with_phases, points, phases);
  if (status == file_cut_short) {
    diagnose_read(key, path, 0);
    return response_not_read;
  }
  if (status < 0) {
    diagnose(std::string(key) + path + ": no line begins with two numbers");
    return no_response_points;
  }
  return 0;
}

// The phases of a PHASE= file at the frequencies of the amplitude points
// inside its range: unwrapped in frequency order first, so that a wrap
// between two of its points never interpolates into a spike.
PointList phases_at(const PointList& points, const PointList& phase_file) {
  LogTable table(phase_file, TableValues::unwrapped_phase);
  PointList phases;
  for (const ResponsePoint& p : points) {
    if (table.covers(p.x)) phases.push_back({p.x, table.at(p.x)});
  }
  return phases;
}

// A failing file adds its key and path to the message, except the first
// version's IN=.
int failed(int status, const char* key, const char* path) {
  if (strcmp(key, input_keys[0].in_key) != 0) last_error = last_error + ": " + key + path;
  return status;
}

int read_curve(const PlotOptions& o, int i, Curve& curve, Responses& r) {
  const char* path = input_path(o, i);
  const char* phase_path = o.phase_paths[i];
  bool phase_file = phase_path[0] != '\0';
  FileIdentity source;
  int status = read_points(input_keys[i].in_key, path, o.phase && !phase_file, o, curve.points,
                           curve.phases, source);
  if (status < 0) return failed(status, input_keys[i].in_key, path);
  r.sources.push_back(source);
  if (!phase_file) return 0;
  PointList phase_points, unused;
  status = read_points(input_keys[i].phase_key, phase_path, false, o, phase_points, unused, source);
  if (status < 0) return failed(status, input_keys[i].phase_key, phase_path);
  r.sources.push_back(source);
  curve.phases = phases_at(curve.points, phase_points);
  return 0;
}

int read_all(const PlotOptions& o, Responses& r) {
  for (int i = 0; i < max_inputs; ++i) {
    if (input_path(o, i)[0] == '\0') continue;
    Curve curve{{}, {}, input_keys[i].color, i, {}, {}, {}};
    if (int status = read_curve(o, i, curve, r); status < 0) return status;
    if (o.unwrap) unwrap_phase(curve.phases);
    r.curves.push_back(std::move(curve));
    if (o.names[i][0] != '\0') r.legend.push_back({o.names[i], r.curves.size() - 1});
  }
  return 0;
}

}  // namespace

int read_responses(const PlotOptions& options, Responses& responses) {
  try {
    responses.curves.reserve(max_inputs);
    return read_all(options, responses);
  } catch (const std::bad_alloc&) {
    return fail(message::no_memory_for_points, no_response_points);
  }
}
