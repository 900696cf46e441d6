#include "response/evaluate_response.h"

#include <cstdio>
#include <numbers>

#include "response/chain_gain.h"
#include "response/unit_chain.h"
#include "response/units.h"

namespace {

constexpr double two_pi = 2 * std::numbers::pi;

// The stages numbered first..last, as indices into r.stages.
int select_stages(const ChannelResponse& r, const EvaluateOptions& o, StageSelection& sel,
                  std::string& why) {
  sel.begin = 0, sel.end = r.stages.size();
  if (o.first_stage != 0) {
    const int last = o.last_stage != 0 ? o.last_stage : o.first_stage;
    while (sel.begin < r.stages.size() && r.stages[sel.begin].number < o.first_stage) ++sel.begin;
    sel.end = sel.begin;
    while (sel.end < r.stages.size() && r.stages[sel.end].number <= last) ++sel.end;
  }
  if (sel.begin == sel.end) {
    why = r.stages.empty() ? "the response has no stages"
                           : "no stage numbered " + std::to_string(o.first_stage) + " ... " +
                                 std::to_string(o.last_stage);
    return -1;
  }
  sel.whole = sel.begin == 0 && sel.end == r.stages.size();
  return 0;
}

// The units the selected stages take in: the first one that states them.
std::string_view input_units(const ChannelResponse& r, const StageSelection& sel) {
  for (size_t i = sel.begin; i < sel.end; ++i) {
    const Stage& s = r.stages[i];
    if (s.kind != StageKind::gain_only && !s.input_units.empty()) return s.input_units;
  }
  return sel.whole ? std::string_view(r.sensitivity_input_units) : std::string_view();
}

// How the response converts to the asked units: it is multiplied by
// scale (i w)^power. Ground motion only; other units stay as they are.
struct Conversion {
  double scale = 1;
  int power = 0;
};

Conversion conversion(const ChannelResponse& r, const StageSelection& sel, int units,
                      std::vector<std::string>& notes) {
  if (units < 0) return {};
  std::string_view own = input_units(r, sel);
  UnitsInfo info = read_units(own);
  if (info.kind == MotionKind::other) {
    notes.push_back("the response takes " +
                    std::string(own.empty() ? "no stated units" : units_word(own)) +
                    ", not a ground motion; not converted");
    return {};
  }
  return {1 / info.metres, static_cast<int>(info.kind) - units};
}

std::complex<double> converted(std::complex<double> h, const Conversion& c, double f) {
  const std::complex<double> iw(0, two_pi * f);
  for (int k = 0; k < c.power; ++k) h *= iw;
  for (int k = 0; k > c.power; --k) h /= iw;
  return h * c.scale;
}

int prepare_selection(const ChannelResponse& r, const EvaluateOptions& o, StageSelection& sel,
                      std::vector<std::string>& notes, std::string& why) {
  if (select_stages(r, o, sel, why) != 0) return -1;
  if (check_unit_chain(r.stages, sel.begin, sel.end, why) != 0) return -1;
  sel.prepared.resize(sel.end - sel.begin);
  for (size_t i = sel.begin; i < sel.end; ++i) {
    if (prepare_stage(r.stages[i], o.estimated_delay, sel.prepared[i - sel.begin], notes, why) !=
        0) {
      return -1;
    }
  }
  return 0;
}

std::string outside_list(const PreparedStage& p, double f) {
  char text[160];
  snprintf(text, sizeof text, "%g Hz lies outside stage %d's response list (%g ... %g Hz)", f,
           p.number, p.list->front().frequency, p.list->back().frequency);
  return text;
}

}  // namespace

int evaluate_response(const ChannelResponse& r, const EvaluateOptions& o,
                      const std::vector<double>& frequencies, std::vector<std::complex<double>>& h,
                      std::vector<std::string>& notes, std::string& why) {
  StageSelection sel;
  if (prepare_selection(r, o, sel, notes, why) != 0) return -1;
  check_sensitivity(r, sel, notes);
  const double gain = chain_gain(r, sel, o.stated_gain);
  const Conversion c = conversion(r, sel, o.units, notes);
  h.assign(frequencies.size(), 0);
  for (size_t j = 0; j < frequencies.size(); ++j) {
    const double f = frequencies[j];
    std::complex<double> product = gain;
    for (const PreparedStage& p : sel.prepared) {
      bool inside;
      product *= stage_value(p, f, inside);
      if (!inside) {
        why = outside_list(p, f);
        return -1;
      }
    }
    h[j] = converted(product, c, f);
  }
  return 0;
}

std::vector<double> listed_frequencies(const ChannelResponse& r, const EvaluateOptions& o,
                                       double f_min, double f_max) {
  StageSelection sel;
  std::string why;
  std::vector<double> out;
  if (select_stages(r, o, sel, why) != 0) return out;
  for (size_t i = sel.begin; i < sel.end; ++i) {
    if (r.stages[i].kind != StageKind::list) continue;
    for (const ListPoint& p : r.stages[i].list) {
      if (p.frequency >= f_min && p.frequency <= f_max) out.push_back(p.frequency);
    }
    break;
  }
  return out;
}
