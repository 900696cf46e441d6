#include "metadata/stationxml_builder.h"

#include <algorithm>
#include <cstring>
#include <string_view>

#include "metadata/stationxml_values.h"

namespace {

// Far longer than any number or unit name written: a value's text beyond it
// is refused rather than held.
constexpr size_t longest_value = 256;
// Stage numbers count the stages of one channel from 1; the bound keeps a
// hostile number from reading as anything but wrong.
constexpr int highest_stage_number = 9999;
constexpr int highest_decimation_factor = 1 << 30;

Tag parent_of(const ChannelBuild& b) {
  return b.open.size() >= 2 ? b.open[b.open.size() - 2] : Tag::station;
}

Tag grandparent_of(const ChannelBuild& b) {
  return b.open.size() >= 3 ? b.open[b.open.size() - 3] : Tag::station;
}

Stage& stage(ChannelBuild& b) {
  return b.channel->stages.back();
}

const char* attribute(const char** attributes, const char* name) {
  for (; attributes[0] != nullptr; attributes += 2) {
    if (strcmp(attributes[0], name) == 0) return attributes[1];
  }
  return nullptr;
}

int open_stage(ChannelBuild& b, const char** attributes, std::string& why) {
  const char* number = attribute(attributes, "number");
  Stage s;
  if (number == nullptr) {
    why = "the stage has no number";
    return -1;
  }
  if (!read_whole(number, 0, highest_stage_number, s.number, why)) {
    why = "number " + why;
    return -1;
  }
  b.channel->stages.push_back(std::move(s));
  b.stage_has_response = false;
  return 0;
}

// The stage's response element: one per stage.
int open_response(ChannelBuild& b, Tag tag, std::string& why) {
  if (b.stage_has_response) {
    why = "a second response in one stage";
    return -1;
  }
  b.stage_has_response = true;
  b.pz_type_seen = b.analog_coefficients = false;
  if (tag == Tag::fir) stage(b).kind = StageKind::fir;
  if (tag == Tag::response_list) stage(b).kind = StageKind::list;
  if (tag == Tag::polynomial) stage(b).kind = StageKind::polynomial;
  return 0;
}

int read_pz_type(ChannelBuild& b, std::string_view text, std::string& why) {
  text = trim_xml_space(text);
  Stage& s = stage(b);
  if (text == "LAPLACE (RADIANS/SECOND)") {
    s.kind = StageKind::laplace_rad;
  } else if (text == "LAPLACE (HERTZ)") {
    s.kind = StageKind::laplace_hz;
  } else if (text == "DIGITAL (Z-TRANSFORM)") {
    s.kind = StageKind::digital_pz;
  } else {
    why = quoted(text) + " is not a pole-zero transfer function type";
    return -1;
  }
  b.pz_type_seen = true;
  return 0;
}

int read_symmetry(ChannelBuild& b, std::string_view text, std::string& why) {
  text = trim_xml_space(text);
  FirSymmetry& symmetry = stage(b).symmetry;
  if (text == "NONE") {
    symmetry = FirSymmetry::none;
  } else if (text == "ODD") {
    symmetry = FirSymmetry::odd;
  } else if (text == "EVEN") {
    symmetry = FirSymmetry::even;
  } else {
    why = quoted(text) + " is not a symmetry (NONE, ODD, EVEN)";
    return -1;
  }
  return 0;
}

// The number a value element holds, stored where its place says.
double* real_target(ChannelBuild& b, Tag tag, Tag parent) {
  ChannelResponse& c = *b.channel;
  bool sensitivity = parent == Tag::instrument_sensitivity;
  switch (tag) {
    case Tag::sample_rate:
      return &c.sample_rate;
    case Tag::value:
      return sensitivity ? &c.sensitivity : &stage(b).gain;
    case Tag::frequency:
      if (parent == Tag::response_list_element) return &b.point.frequency;
      return sensitivity ? &c.sensitivity_frequency : &stage(b).gain_frequency;
    case Tag::normalization_factor:
      return &stage(b).a0;
    case Tag::normalization_frequency:
      return &stage(b).a0_frequency;
    case Tag::amplitude:
      return &b.point.amplitude;
    case Tag::phase:
      return &b.point.phase_deg;
    case Tag::input_sample_rate:
      return &stage(b).input_sample_rate;
    case Tag::delay:
      return &stage(b).delay;
    case Tag::correction:
      return &stage(b).correction;
    default:
      return nullptr;
  }
}

// A number appended to a list: coefficients.
std::vector<double>* list_target(ChannelBuild& b, Tag tag) {
  switch (tag) {
    case Tag::numerator:
    case Tag::numerator_coefficient:
      return &stage(b).numerators;
    case Tag::denominator:
      return &stage(b).denominators;
    case Tag::coefficient:
      return &stage(b).polynomial;
    default:
      return nullptr;
  }
}

int read_number(ChannelBuild& b, Tag tag, Tag parent, std::string& why) {
  double value;
  if (!read_real(b.text, value, why)) return -1;
  if (tag == Tag::real) b.root.real(value);
  if (tag == Tag::imaginary) b.root.imag(value);
  if (double* target = real_target(b, tag, parent)) *target = value;
  if (std::vector<double>* list = list_target(b, tag)) list->push_back(value);
  return 0;
}

std::string& units_target(ChannelBuild& b, Tag parent, Tag grandparent) {
  bool input = parent == Tag::input_units;
  if (grandparent == Tag::instrument_sensitivity) {
    return input ? b.channel->sensitivity_input_units : b.channel->sensitivity_output_units;
  }
  return input ? stage(b).input_units : stage(b).output_units;
}

int close_value(ChannelBuild& b, Tag tag, std::string& why) {
  if (b.text_too_long) {
    why = "text longer than " + std::to_string(longest_value) + " characters";
    return -1;
  }
  switch (tag) {
    case Tag::name:
      units_target(b, parent_of(b), grandparent_of(b)) = trim_xml_space(b.text);
      return 0;
    case Tag::pz_type:
      return read_pz_type(b, b.text, why);
    case Tag::symmetry:
      return read_symmetry(b, b.text, why);
    case Tag::cf_type:
      b.analog_coefficients = trim_xml_space(b.text).starts_with("ANALOG");
      return 0;
    case Tag::factor:
      return read_whole(b.text, 1, highest_decimation_factor, stage(b).decimation_factor, why) ? 0
                                                                                               : -1;
    default:
      return read_number(b, tag, parent_of(b), why);
  }
}

int close_coefficients(ChannelBuild& b, std::string& why) {
  Stage& s = stage(b);
  if (s.numerators.empty() && s.denominators.empty()) {
    s.kind = StageKind::gain_only;
    return 0;
  }
  if (b.analog_coefficients) {
    why = "analog coefficients are not evaluated: only DIGITAL ones";
    return -1;
  }
  s.kind = s.denominators.empty() ? StageKind::fir : StageKind::iir;
  return 0;
}

// The evaluation looks frequencies up in the list by halving it: they must rise.
int add_list_point(ChannelBuild& b, std::string& why) {
  std::vector<ListPoint>& list = stage(b).list;
  if (!(b.point.frequency >= 0) ||
      (!list.empty() && !(b.point.frequency > list.back().frequency))) {
    why = "list frequencies must rise";
    return -1;
  }
  list.push_back(b.point);
  return 0;
}

// Stages numbered 1, 2, ... each once (they are in order): a gap or a
// number given twice would leave the chain without a stage or with a stray one.
int check_numbering(const std::vector<Stage>& stages, std::string& why) {
  for (size_t i = 0; i < stages.size(); ++i) {
    const int expected = static_cast<int>(i) + 1;
    if (stages[i].number == expected) continue;
    why = stages[i].number < expected ? "stage " + std::to_string(stages[i].number) + " given twice"
                                      : "stage " + std::to_string(expected) + " missing (stage " +
                                            std::to_string(stages[i].number) + " follows)";
    return -1;
  }
  return 0;
}

int close_element(ChannelBuild& b, Tag tag, std::string& why) {
  if (holds_value(tag)) return close_value(b, tag, why);
  switch (tag) {
    case Tag::zero:
      stage(b).zeros.push_back(b.root);
      return 0;
    case Tag::pole:
      stage(b).poles.push_back(b.root);
      return 0;
    case Tag::response_list_element:
      return add_list_point(b, why);
    case Tag::coefficients:
      return close_coefficients(b, why);
    case Tag::poles_zeros:
      if (b.pz_type_seen) return 0;
      why = "no PzTransferFunctionType";
      return -1;
    default:
      return 0;
  }
}

}  // namespace

void begin_channel(ChannelBuild& build, ChannelResponse& channel) {
  build = ChannelBuild();
  build.channel = &channel;
  build.open.push_back(Tag::channel);
}

int open_in_channel(ChannelBuild& b, Tag tag, const char** attributes, std::string& why) {
  Tag parent = b.open.back();
  if (!belongs(parent, tag)) tag = Tag::other;
  b.open.push_back(tag);
  b.collecting = holds_value(tag);
  b.text.clear();
  b.text_too_long = false;
  switch (tag) {
    case Tag::stage:
      return open_stage(b, attributes, why);
    case Tag::poles_zeros:
    case Tag::coefficients:
    case Tag::response_list:
    case Tag::fir:
    case Tag::polynomial:
      return open_response(b, tag, why);
    case Tag::decimation:
      stage(b).has_decimation = true;
      return 0;
    case Tag::stage_gain:
      stage(b).has_gain = true;
      return 0;
    case Tag::instrument_sensitivity:
      b.channel->has_sensitivity = true;
      return 0;
    case Tag::zero:
    case Tag::pole:
      b.root = 0;
      return 0;
    case Tag::response_list_element:
      b.point = ListPoint{0, 0, 0};
      return 0;
    default:
      return 0;
  }
}

void text_in_channel(ChannelBuild& b, const char* text, int length) {
  if (!b.collecting) return;
  if (b.text.size() + static_cast<size_t>(length) > longest_value) {
    b.text_too_long = true;
    return;
  }
  b.text.append(text, static_cast<size_t>(length));
}

int close_in_channel(ChannelBuild& b, bool& channel_done, std::string& why) {
  Tag tag = b.open.back();
  int result = close_element(b, tag, why);
  b.open.pop_back();
  b.collecting = false;
  channel_done = b.open.empty();
  if (channel_done) {
    std::stable_sort(b.channel->stages.begin(), b.channel->stages.end(),
                     [](const Stage& x, const Stage& y) { return x.number < y.number; });
    if (result == 0) result = check_numbering(b.channel->stages, why);
  }
  return result;
}
