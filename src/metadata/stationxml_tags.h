#pragma once

#include <string_view>

// The StationXML elements the reader acts on; every other one is `other`.
enum class Tag : unsigned char {
  other,
  root,  // FDSNStationXML
  network,
  station,
  channel,
  sample_rate,
  response,
  instrument_sensitivity,
  stage,
  poles_zeros,
  coefficients,
  response_list,
  fir,
  polynomial,
  decimation,
  stage_gain,
  input_units,
  output_units,
  name,
  value,
  frequency,
  pz_type,
  normalization_factor,
  normalization_frequency,
  zero,
  pole,
  real,
  imaginary,
  cf_type,
  numerator,
  denominator,
  symmetry,
  numerator_coefficient,
  response_list_element,
  amplitude,
  phase,
  coefficient,
  input_sample_rate,
  factor,
  delay,
  correction,
};

// The tag of an element's local name (without prefix or namespace).
Tag tag_of(std::string_view local_name);

// Whether the element holds a value the reader reads from its text.
bool holds_value(Tag tag);

// Whether `tag` is read where it stands, as a child of `parent`; elsewhere
// it is passed over like any unknown element.
bool belongs(Tag parent, Tag tag);
