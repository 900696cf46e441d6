#include "input/metadata_curve.h"

#include <cmath>
#include <complex>
#include <numbers>
#include <utility>

#include "core/diagnostic.h"
#include "core/last_error.h"
#include "core/messages.h"
#include "metadata/read_resp.h"
#include "metadata/read_stationxml.h"
#include "response/evaluate_response.h"
#include "response/units.h"

namespace {

constexpr double degrees_per_radian = 180 / std::numbers::pi;
constexpr size_t most_listed = 10;  // channel epochs listed when several match

// The filter input `input` asks for: its CHANNEL= (any channel without it)
// and TIME=.
ChannelFilter filter_of(const PlotOptions& o, int input) {
  ChannelFilter f;
  if (o.channels[input][0] != '\0') parse_channel_pattern(o.channels[input], f);
  f.time = o.time;
  return f;
}

std::string channel_name(const ChannelResponse& r) {
  return r.network + "." + r.station + "." + r.location + "." + r.channel;
}

// "2010-01-01T00:00:00.000000" as a person writes it: "2010-01-01" at
// midnight, else to the second.
std::string short_time(const std::string& t) {
  if (t.empty()) return "open";
  if (t.compare(10, std::string::npos, "T00:00:00.000000") == 0) return t.substr(0, 10);
  return t.substr(0, 19);
}

std::string epoch_of(const ChannelResponse& r) {
  return short_time(r.start) + " to " + short_time(r.end);
}

int fail_with(const std::string& diagnostic, const char* message) {
  diagnose(diagnostic);
  last_error = message;
  return -2;
}

int fail_for(const std::string& file, const std::string& why, const char* message) {
  return fail_with(file + ": " + why, message);
}

int read_metadata(std::string_view text, const std::string& file, const ChannelFilter& f,
                  std::vector<ChannelResponse>& found) {
  std::string why;
  const bool resp = is_resp(text);
  int read =
      resp ? read_resp(text, f, found, why) : read_stationxml_text(text, file, f, found, why);
  // The StationXML reader names the file itself, before its line and column.
  if (read < 0)
    return resp ? fail_for(file, why, message::bad_metadata)
                : fail_with(why, message::bad_metadata);
  if (found.empty()) return fail_for(file, "no channel epoch matches", message::no_channel_epoch);
  if (found.size() == 1) return 0;
  std::string list =
      std::to_string(found.size()) + " channel epochs match; CHANNEL= and TIME= choose one:";
  for (size_t i = 0; i < found.size() && i < most_listed; ++i) {
    list += "\n  " + channel_name(found[i]) + " " + epoch_of(found[i]);
  }
  if (found.size() > most_listed) list += "\n  ...";
  return fail_for(file, list, message::several_channel_epochs);
}

// Units as an axis names them: "COUNTS" and "M/S**2" become counts/(m/s²).
std::string axis_units(std::string_view units) {
  std::string out;
  for (char c : units_word(units))
    out += static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
  for (auto [from, to] : {std::pair{"**2", "\xC2\xB2"}, std::pair{"**3", "\xC2\xB3"}}) {
    for (size_t at = out.find(from); at != std::string::npos; at = out.find(from)) {
      out.replace(at, 3, to);
    }
  }
  return out;
}

const char* const motion_units[] = {"m", "m/s", "m/s**2"};

// The units the curve is drawn in: the selected stages' first input (or
// UNITS='s) over their last output.
MetadataNames names_of(const ChannelResponse& r, const EvaluateOptions& e, size_t first,
                       size_t last) {
  const Stage& in = r.stages[first];
  const Stage& out = r.stages[last];
  std::string input = e.units >= 0 ? motion_units[e.units] : in.input_units;
  std::string denominator = axis_units(input);
  if (denominator.find_first_of("/*") != std::string::npos) denominator = "(" + denominator + ")";
  MetadataNames names;
  names.caption = channel_name(r) + " " + epoch_of(r);
  names.amplitude_axis = axis_units(out.output_units) + "/" + denominator;
  names.about = "channel " + channel_name(r) + " epoch " + epoch_of(r) + " units " +
                std::string(units_word(input)) + " to " + std::string(units_word(out.output_units));
  return names;
}

// Where the selected stages begin and end in r.stages; false when none is.
bool selected_span(const ChannelResponse& r, const EvaluateOptions& e, size_t& first,
                   size_t& last) {
  bool found = false;
  for (size_t i = 0; i < r.stages.size(); ++i) {
    int n = r.stages[i].number;
    int lo = e.first_stage, hi = e.last_stage > 0 ? e.last_stage : e.first_stage;
    if (e.first_stage > 0 && (n < lo || n > hi)) continue;
    if (!found) first = i;
    last = i;
    found = true;
  }
  return found;
}

// The band a picture fitted to the response alone shows: a decade round
// the poles and zeros of its Laplace stages, up to the channel's Nyquist
// frequency where stated.
void response_band(const ChannelResponse& r, double& lo, double& hi) {
  lo = hi = 0;
  for (const Stage& s : r.stages) {
    double per_hz = s.kind == StageKind::laplace_rad ? 2 * std::numbers::pi : 1;
    if (s.kind != StageKind::laplace_rad && s.kind != StageKind::laplace_hz) continue;
    for (const auto* roots : {&s.zeros, &s.poles}) {
      for (const auto& root : *roots) {
        double f = std::abs(root) / per_hz;
        if (!(f > 0) || !std::isfinite(f)) continue;
        lo = lo > 0 ? std::min(lo, f / 10) : f / 10;
        hi = std::max(hi, f * 10);
      }
    }
  }
  if (r.sample_rate > 0) hi = hi > 0 ? std::min(hi, r.sample_rate / 2) : r.sample_rate / 2;
  // A flat response (an accelerometer's) shows its flat part too.
  constexpr double least_decades = 4;
  if (hi > 0)
    lo = lo > 0 ? std::min(lo, hi / std::pow(10, least_decades)) : hi / std::pow(10, least_decades);
  if (!(lo > 0) || !(hi > lo)) lo = hi = 0;
}

ComputedResponse computed_of(ChannelResponse r, const EvaluateOptions& e) {
  ComputedResponse c;
  response_band(r, c.lo, c.hi);
  size_t first = 0, last = 0;
  selected_span(r, e, first, last);
  UnitsInfo units = read_units(e.units >= 0 ? motion_units[e.units] : r.stages[first].input_units);
  c.units = units.kind == MotionKind::other ? -1 : static_cast<int>(units.kind);
  auto shared = std::make_shared<const ChannelResponse>(std::move(r));
  c.own_frequencies = listed_frequencies(*shared, e, 0, HUGE_VAL);
  c.at_all = [shared, e](const std::vector<double>& f, PointList& amplitudes, PointList& phases) {
    std::vector<std::complex<double>> h;
    std::vector<std::string> notes;
    std::string why;
    if (evaluate_response(*shared, e, f, h, notes, why) < 0) h.assign(f.size(), NAN);
    amplitudes.reserve(f.size());
    phases.reserve(f.size());
    for (size_t i = 0; i < f.size(); ++i) {
      amplitudes.push_back({f[i], std::abs(h[i])});
      phases.push_back({f[i], std::arg(h[i]) * degrees_per_radian});
    }
  };
  c.at = [at_all = c.at_all](double f, double& amplitude, double& degrees) {
    PointList a, p;
    at_all({f}, a, p);
    amplitude = a.front().y;
    degrees = p.front().y;
  };
  return c;
}

// Whether the stated sensitivity describes the curve drawn: the whole
// chain, in the units the sensitivity is stated in, the amplitude as it is.
bool sensitivity_drawn(const ChannelResponse& r, const PlotOptions& o, int input) {
  if (!r.has_sensitivity || !(r.sensitivity > 0) || !(r.sensitivity_frequency > 0)) return false;
  if (o.stages[input][0] > 0 || o.norm_f > 0 || o.db || o.stated_gain) return false;
  if (o.units_to < 0) return true;
  UnitsInfo units = read_units(r.sensitivity_input_units);
  return static_cast<int>(units.kind) == o.units_to && units.metres == 1;
}

}  // namespace

bool is_metadata(std::string_view text) {
  return is_resp(text) || is_stationxml(text);
}

int metadata_curve(std::string_view text, const PlotOptions& o, int input,
                   std::shared_ptr<const ComputedResponse>& computed, MetadataNames& names,
                   std::vector<std::string>& warnings) {
  std::vector<ChannelResponse> found;
  if (int read = read_metadata(text, key_and_path(o, input), filter_of(o, input), found); read < 0)
    return read;
  return epoch_curve(std::move(found.front()), o, input, computed, names, warnings);
}

int epoch_curve(ChannelResponse r, const PlotOptions& o, int input,
                std::shared_ptr<const ComputedResponse>& computed, MetadataNames& names,
                std::vector<std::string>& warnings) {
  std::string file = key_and_path(o, input);
  EvaluateOptions e;
  e.first_stage = o.stages[input][0];
  e.last_stage = o.stages[input][1];
  e.units = o.units_to;
  e.estimated_delay = o.estimated_delay;
  e.stated_gain = o.stated_gain;
  size_t first = 0, last = 0;
  if (!selected_span(r, e, first, last)) {
    return fail_for(file,
                    "no stage of the channel lies in STAGES=", message::metadata_not_evaluated);
  }
  // Evaluated once where the chain's gains are quoted, which tells whether
  // it can be evaluated at all and what it notes.
  std::vector<std::complex<double>> h;
  std::vector<std::string> notes;
  std::string why;
  double probe = r.has_sensitivity && r.sensitivity_frequency > 0 ? r.sensitivity_frequency : 1;
  std::vector<double> at = listed_frequencies(r, e, 0, HUGE_VAL);
  if (at.empty()) at = {probe};
  if (evaluate_response(r, e, {at.front()}, h, notes, why) < 0) {
    return fail_for(file, why, message::metadata_not_evaluated);
  }
  for (const std::string& n : notes) warnings.push_back(file + ": " + n);
  names = names_of(r, e, first, last);
  if (sensitivity_drawn(r, o, input)) names.sensitivity = {r.sensitivity_frequency, r.sensitivity};
  computed = std::make_shared<const ComputedResponse>(computed_of(std::move(r), e));
  return 0;
}
