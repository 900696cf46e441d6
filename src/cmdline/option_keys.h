#pragma once

#include <cstddef>
#include <string>

#include "cmdline/parse_state.h"
#include "core/inputs.h"

// What an option needs before it has any effect; an option given without
// it is reported as doing nothing.
enum Need : unsigned {
  need_nothing = 0,
  need_phase = 1u << 0,    // -phase, or a PHASE= file
  need_diff = 1u << 1,     // -diff, or TOL=
  need_names = 1u << 2,    // a legend text for a curve drawn
  need_nyquist = 1u << 3,  // NYQUIST=
  need_input = 1u << 4,    // the file of the same input (IN2= for NAME2=)
  need_further = 1u << 5,  // a further response to compare with IN=
  need_units = 1u << 6,    // UNITS= to convert by, or -diff to compare units in
  need_report = 1u << 7,   // the report style: -report, FORMAT=SVG or PDF
  need_page = 1u << 8,     // SIZE= with units
};

// Reads an option's value (the text after "="; nullptr for a switch) into
// the record; `input` is the input a per-input key belongs to.
using ReadOption = void (*)(ParseState& s, const char* value, int input);

// One option of the command line, declared once: its spelling, how its
// value is read, what it needs to have an effect and its help line.
struct OptionKey {
  // A key ending in "=" or a switch ("-fit", also written "/fit"); nullptr
  // for a key of every input, spelled by `family` from input_keys.
  const char* key;
  const char* example;  // a value read whole, as README shows it; nullptr for a switch
  const char* InputKeys::*family;
  int first_input;  // a family's first input: IN2= begins at 1
  ReadOption read;  // nullptr: handled before the options (--version)
  unsigned needs;
  // The help line, UTF-8 Russian; nullptr for the options the help text of
  // old describes itself.
  const char* help;
};

extern const OptionKey option_keys[];
extern const size_t option_key_count;

// The key of entry `k` for `input` (its own key when not a family).
const char* option_spelling(const OptionKey& k, int input);

// Whether `k` is a switch rather than a key with a value.
bool is_switch_key(const OptionKey& k);

// The inputs entry `k` covers: [first, last).
int first_input_of(const OptionKey& k);
int end_input_of(const OptionKey& k);

// How the help text writes the entry: "X_AXIS=", "NAME=..NAME4=".
std::string help_spelling(const OptionKey& k);
