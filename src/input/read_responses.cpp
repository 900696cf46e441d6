#include "input/read_responses.h"

#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstring>
#include <memory>
#include <new>
#include <string>
#include <utility>

#include "core/diagnostic.h"
#include "core/fail.h"
#include "core/log_table.h"
#include "core/messages.h"
#include "core/unwrap.h"
#include "input/evaluate_computed.h"
#include "input/metadata_curve.h"
#include "input/pole_zero.h"
#include "input/read_in.h"
#include "input/str2graph.h"
#include "input/unreadable_lines.h"
#include "input/unused_file_options.h"

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

// A pole-zero file's response, kept to be evaluated where it is used.
int pole_zero_curve(std::string_view text, std::shared_ptr<const ComputedResponse>& computed) {
  PoleZero pz;
  int line;
  std::string why;
  if (parse_pole_zero(text, pz, line, why) < 0) {
    last_error =
        std::string(message::bad_pole_zero) + ", line " + std::to_string(line) + ": " + why;
    return no_response_points;
  }
  computed = std::make_shared<const ComputedResponse>(pole_zero_response(std::move(pz)));
  return 0;
}

// Where the response of a computed input goes, and what it needs.
struct Computed {
  const PlotOptions& options;
  int input;
  std::shared_ptr<const ComputedResponse>& response;
  MetadataNames& names;
  std::vector<std::string>& warnings;
  bool metadata = false;  // the file was station metadata
};

// The two (with phases three) columns of the file given with `key`, or
// the response of a pole-zero file where `computed` may take one: a PHASE=
// file never is one. Where `unreadable` is given, the lines of a point
// file that give no point go there, those reading "nan" or "inf" too
// with `words`.
int read_points(const char* key, const char* path, bool with_phases, PointList& points,
                PointList& phases, FileIdentity& source, Computed* computed, PointList* unreadable,
                bool words) {
  FileText text;
  if (read_in(file_of(path), text, &source) < 0) {
    diagnose_read(key, path, errno);
    return response_not_read;
  }
  bool metadata = is_metadata(text.view());
  if (metadata || is_pole_zero(text.view())) {
    if (computed == nullptr) {
      last_error = message::phase_file_pole_zero;
      return response_not_read;
    }
    computed->metadata = metadata;
    if (!metadata) return pole_zero_curve(text.view(), computed->response);
    return metadata_curve(text.view(), computed->options, computed->input, computed->response,
                          computed->names, computed->warnings);
  }
  if (unreadable != nullptr) *unreadable = unreadable_lines(text.view(), words);
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

// A phase file whose values no phase reaches holds amplitudes, most likely.
void check_phase_file(const char* key, const char* path, const PointList& phases,
                      std::vector<std::string>& warnings) {
  constexpr double beyond_any_phase = 1e5;  // degrees: some hundred turns
  size_t beyond = 0;
  for (const ResponsePoint& p : phases) beyond += std::fabs(p.y) > beyond_any_phase;
  if (beyond > 0) {
    warnings.push_back(std::string(key) + path + ": " + std::to_string(beyond) +
                       " phases beyond 100000 degrees: is it an amplitude file?");
  }
}

// A PHASE= file's line that gave no phase ("nan", -1, beyond the double
// range) waits among its points as its frequency with a NaN, which no line
// read ever gives.
void add_phase_gaps(const PointList& unreadable, PointList& phase_file) {
  for (const ResponsePoint& p : unreadable) phase_file.push_back({p.x, NAN});
}

// Whether frequency f lies between the phase file's read frequencies either
// side of it (`read` sorted) with a line giving no phase in between, or at
// such a line (`gaps` sorted): its phase would be invented there.
bool in_phase_gap(const std::vector<double>& read, const std::vector<double>& gaps, double f) {
  if (gaps.empty()) return false;
  if (std::binary_search(gaps.begin(), gaps.end(), f)) return true;
  auto above = std::lower_bound(read.begin(), read.end(), f);
  if (above != read.end() && *above == f) return false;
  double lo = above == read.begin() ? -HUGE_VAL : *(above - 1);
  double hi = above == read.end() ? HUGE_VAL : *above;
  auto gap = std::upper_bound(gaps.begin(), gaps.end(), lo);
  return gap != gaps.end() && *gap < hi;
}

// The phases of a PHASE= file at the frequencies of the amplitude points
// inside its range: unwrapped in frequency order first, so that a wrap
// between two of its points never interpolates into a spike. Next to a
// line that gave no phase a point gets none, so that a comparison counts
// it rather than judge an interpolated one.
PointList phases_at(const PointList& points, const PointList& phase_file) {
  PointList read;
  std::vector<double> read_f, gaps;
  for (const ResponsePoint& p : phase_file) {
    if (std::isnan(p.y)) {
      gaps.push_back(p.x);
    } else {
      read.push_back(p);
      read_f.push_back(p.x);
    }
  }
  std::sort(read_f.begin(), read_f.end());
  std::sort(gaps.begin(), gaps.end());
  LogTable table(read, TableValues::unwrapped_phase);
  PointList phases;
  for (const ResponsePoint& p : points) {
    if (table.covers(p.x) && !in_phase_gap(read_f, gaps, p.x))
      phases.push_back({p.x, table.at(p.x)});
  }
  return phases;
}

// A failing file adds its key and path to the message, except the first
// version's IN=.
int failed(int status, const char* key, const char* path) {
  if (strcmp(key, input_keys[0].in_key) != 0) last_error = last_error + ": " + key + path;
  return status;
}

// The channel epoch given in place of the file's text, which the output
// must still never replace.
int given_points(const char* path, const ChannelResponse& given, FileIdentity& source,
                 Computed& computed) {
  struct stat st;
  if (stat(path, &st) == 0) source = identity_of(st);
  computed.metadata = true;
  return epoch_curve(given, computed.options, computed.input, computed.response, computed.names,
                     computed.warnings);
}

// A computed curve gets its points only once every file is read, so its
// PHASE= file's points wait in its phases until then.
int read_curve(const PlotOptions& o, int i, Curve& curve, Responses& r, bool& metadata,
               const ChannelResponse* given) {
  const char* path = input_path(o, i);
  const char* phase_path = o.phase_paths[i];
  bool phase_file = phase_path[0] != '\0';
  FileIdentity source;
  MetadataNames names;
  Computed computed{o, i, curve.computed, names, r.warnings};
  int status = given != nullptr ? given_points(path, *given, source, computed)
                                : read_points(input_keys[i].in_key, path, o.phase && !phase_file,
                                              curve.points, curve.phases, source, &computed,
                                              o.diff ? &curve.unreadable : nullptr, o.tol_given);
  if (status < 0) return failed(status, input_keys[i].in_key, path);
  metadata = computed.metadata;
  curve.about = names.about;
  curve.sensitivity = names.sensitivity;
  if (i == 0) r.names = names;
  r.sources.push_back(source);
  if (!phase_file) return 0;
  PointList phase_points, unused, gaps;
  // Only a verdict on degrees needs the gaps: a picture keeps its curves.
  bool degrees_judged = o.tol_given && o.tol_deg_given;
  status = read_points(input_keys[i].phase_key, phase_path, false, phase_points, unused, source,
                       nullptr, degrees_judged ? &gaps : nullptr, true);
  if (status < 0) return failed(status, input_keys[i].phase_key, phase_path);
  r.sources.push_back(source);
  check_phase_file(input_keys[i].phase_key, phase_path, phase_points, r.warnings);
  add_phase_gaps(gaps, phase_points);
  curve.phases = curve.computed ? std::move(phase_points) : phases_at(curve.points, phase_points);
  return 0;
}

// The computed curves' points, now that the measured ones tell where they
// are needed, and their PHASE= files' phases at them.
void complete_computed(CurveList& curves, const PlotOptions& o) {
  evaluate_computed(curves, o);
  for (Curve& c : curves) {
    if (c.computed && o.phase_paths[c.input][0] != '\0') c.phases = phases_at(c.points, c.phases);
  }
}

int read_all(const PlotOptions& o, Responses& r, const ChannelResponse* given) {
  bool metadata[max_inputs] = {};
  for (int i = 0; i < max_inputs; ++i) {
    if (input_path(o, i)[0] == '\0') continue;
    Curve curve{{}, {}, input_keys[i].color, i, {}, {}, {}};
    if (int status = read_curve(o, i, curve, r, metadata[i], i == 0 ? given : nullptr); status < 0)
      return status;
    r.curves.push_back(std::move(curve));
    if (o.names[i][0] != '\0') r.legend.push_back({o.names[i], r.curves.size() - 1});
  }
  std::vector<std::string> unused = unused_file_options(o, r.curves, metadata);
  r.warnings.insert(r.warnings.end(), unused.begin(), unused.end());
  complete_computed(r.curves, o);
  if (o.unwrap) {
    for (Curve& c : r.curves) unwrap_phase(c.phases);
  }
  return 0;
}

}  // namespace

int read_responses(const PlotOptions& options, Responses& responses, const ChannelResponse* given) {
  try {
    responses.curves.reserve(max_inputs);
    return read_all(options, responses, given);
  } catch (const std::bad_alloc&) {
    return fail(message::no_memory_for_points, no_response_points);
  }
}
