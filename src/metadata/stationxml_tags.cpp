#include "metadata/stationxml_tags.h"

namespace {

struct Named {
  std::string_view name;
  Tag tag;
};

constexpr Named names[] = {
    {"FDSNStationXML", Tag::root},
    {"Network", Tag::network},
    {"Station", Tag::station},
    {"Channel", Tag::channel},
    {"SampleRate", Tag::sample_rate},
    {"Response", Tag::response},
    {"InstrumentSensitivity", Tag::instrument_sensitivity},
    {"Stage", Tag::stage},
    {"PolesZeros", Tag::poles_zeros},
    {"Coefficients", Tag::coefficients},
    {"ResponseList", Tag::response_list},
    {"FIR", Tag::fir},
    {"Polynomial", Tag::polynomial},
    {"Decimation", Tag::decimation},
    {"StageGain", Tag::stage_gain},
    {"InputUnits", Tag::input_units},
    {"OutputUnits", Tag::output_units},
    {"Name", Tag::name},
    {"Value", Tag::value},
    {"Frequency", Tag::frequency},
    {"PzTransferFunctionType", Tag::pz_type},
    {"NormalizationFactor", Tag::normalization_factor},
    {"NormalizationFrequency", Tag::normalization_frequency},
    {"Zero", Tag::zero},
    {"Pole", Tag::pole},
    {"Real", Tag::real},
    {"Imaginary", Tag::imaginary},
    {"CfTransferFunctionType", Tag::cf_type},
    {"Numerator", Tag::numerator},
    {"Denominator", Tag::denominator},
    {"Symmetry", Tag::symmetry},
    {"NumeratorCoefficient", Tag::numerator_coefficient},
    {"ResponseListElement", Tag::response_list_element},
    {"Amplitude", Tag::amplitude},
    {"Phase", Tag::phase},
    {"Coefficient", Tag::coefficient},
    {"InputSampleRate", Tag::input_sample_rate},
    {"Factor", Tag::factor},
    {"Delay", Tag::delay},
    {"Correction", Tag::correction},
};

}  // namespace

Tag tag_of(std::string_view local_name) {
  for (const Named& n : names) {
    if (n.name == local_name) return n.tag;
  }
  return Tag::other;
}

bool holds_value(Tag tag) {
  switch (tag) {
    case Tag::sample_rate:
    case Tag::name:
    case Tag::value:
    case Tag::frequency:
    case Tag::pz_type:
    case Tag::normalization_factor:
    case Tag::normalization_frequency:
    case Tag::real:
    case Tag::imaginary:
    case Tag::cf_type:
    case Tag::numerator:
    case Tag::denominator:
    case Tag::symmetry:
    case Tag::numerator_coefficient:
    case Tag::amplitude:
    case Tag::phase:
    case Tag::coefficient:
    case Tag::input_sample_rate:
    case Tag::factor:
    case Tag::delay:
    case Tag::correction:
      return true;
    default:
      return false;
  }
}

namespace {

bool is_filter(Tag tag) {
  return tag == Tag::poles_zeros || tag == Tag::coefficients || tag == Tag::response_list ||
         tag == Tag::fir || tag == Tag::polynomial;
}

}  // namespace

bool belongs(Tag parent, Tag tag) {
  switch (tag) {
    case Tag::root:
    case Tag::other:
      return false;
    case Tag::network:
      return parent == Tag::root;
    case Tag::station:
      return parent == Tag::network;
    case Tag::channel:
      return parent == Tag::station;
    case Tag::sample_rate:
    case Tag::response:
      return parent == Tag::channel;
    case Tag::instrument_sensitivity:
    case Tag::stage:
      return parent == Tag::response;
    case Tag::poles_zeros:
    case Tag::coefficients:
    case Tag::response_list:
    case Tag::fir:
    case Tag::polynomial:
    case Tag::decimation:
    case Tag::stage_gain:
      return parent == Tag::stage;
    case Tag::input_units:
    case Tag::output_units:
      return parent == Tag::instrument_sensitivity || is_filter(parent);
    case Tag::name:
      return parent == Tag::input_units || parent == Tag::output_units;
    case Tag::value:
      return parent == Tag::instrument_sensitivity || parent == Tag::stage_gain;
    case Tag::frequency:
      return parent == Tag::instrument_sensitivity || parent == Tag::stage_gain ||
             parent == Tag::response_list_element;
    case Tag::pz_type:
    case Tag::normalization_factor:
    case Tag::normalization_frequency:
    case Tag::zero:
    case Tag::pole:
      return parent == Tag::poles_zeros;
    case Tag::real:
    case Tag::imaginary:
      return parent == Tag::zero || parent == Tag::pole;
    case Tag::cf_type:
    case Tag::numerator:
    case Tag::denominator:
      return parent == Tag::coefficients;
    case Tag::symmetry:
    case Tag::numerator_coefficient:
      return parent == Tag::fir;
    case Tag::response_list_element:
      return parent == Tag::response_list;
    case Tag::amplitude:
    case Tag::phase:
      return parent == Tag::response_list_element;
    case Tag::coefficient:
      return parent == Tag::polynomial;
    case Tag::input_sample_rate:
    case Tag::factor:
    case Tag::delay:
    case Tag::correction:
      return parent == Tag::decimation;
  }
  return false;
}
