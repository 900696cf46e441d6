#pragma once

#include <cstddef>
#include <iterator>
#include <string_view>

#include "core/curve.h"

// The response files one picture compares, in command-line order: the key
// naming each file, the key of its legend text, the key of its phase file
// and the colour of its curves.
// Everything that counts the inputs takes the count from this table.
struct InputKeys {
  const char* in_key;
  const char* name_key;
  const char* phase_key;    // a separate phase file for the same response
  const char* units_key;    // the file's own units, for a text file
  const char* channel_key;  // the channel epoch of station metadata
  const char* stages_key;   // the stages of station metadata drawn
  Rgb color;
};

constexpr InputKeys input_keys[] = {
    {"IN=", "NAME=", "PHASE=", "IN_UNITS=", "CHANNEL=", "STAGES=", {255, 0, 0}},        // red
    {"IN2=", "NAME2=", "PHASE2=", "IN2_UNITS=", "CHANNEL2=", "STAGES2=", {0, 0, 255}},  // blue
    {"IN3=", "NAME3=", "PHASE3=", "IN3_UNITS=", "CHANNEL3=", "STAGES3=", {0, 128, 0}},  // green
    {"IN4=", "NAME4=", "PHASE4=", "IN4_UNITS=", "CHANNEL4=", "STAGES4=", {192, 0, 192}},
};

constexpr int max_inputs = static_cast<int>(std::size(input_keys));

// Every key is looked up by its text, so no two may share one; and the
// first input is the one the original command line knew, whose key and
// colour are part of every old picture.
constexpr bool keys_are_distinct() {
  constexpr int per_input = 6;
  std::string_view keys[per_input * max_inputs];
  for (int i = 0; i < max_inputs; ++i) {
    keys[per_input * i] = input_keys[i].in_key;
    keys[per_input * i + 1] = input_keys[i].name_key;
    keys[per_input * i + 2] = input_keys[i].phase_key;
    keys[per_input * i + 3] = input_keys[i].units_key;
    keys[per_input * i + 4] = input_keys[i].channel_key;
    keys[per_input * i + 5] = input_keys[i].stages_key;
  }
  for (int i = 0; i < per_input * max_inputs; ++i) {
    for (int j = i + 1; j < per_input * max_inputs; ++j) {
      if (keys[i] == keys[j]) return false;
    }
  }
  return true;
}
static_assert(keys_are_distinct());
static_assert(std::string_view(input_keys[0].in_key) == "IN=");
static_assert(input_keys[0].color.red == 255 && input_keys[0].color.green == 0 &&
              input_keys[0].color.blue == 0);

// An input as verdicts name it: its key without the equals sign, "IN2".
constexpr std::string_view input_name(int input) {
  std::string_view key = input_keys[input].in_key;
  return key.substr(0, key.size() - 1);
}
