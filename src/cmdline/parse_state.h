#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "core/plot_options.h"

// What the command line asked for that no rule used, or used only in part,
// one text each: an unknown argument (with the nearest known key), a value
// not read, a text cut to its field, an option that has no effect.
using Warnings = std::vector<std::string>;

// What reading the arguments leaves behind besides the record itself: the
// checks made once every argument is in, and what each value reader found.
struct ParseState {
  ParseState(PlotOptions& options, Warnings& w) : o(options), warnings(w) {}
  PlotOptions& o;
  Warnings& warnings;
  const char* key = "";  // the key being read, as the table spells it: "IN2="
  int32_t sub_grid = -1;
  bool in_fits[max_inputs] = {true, true, true, true};
  bool phase_fits[max_inputs] = {true, true, true, true};
  bool in_units_known[max_inputs] = {true, true, true, true};
  bool out_fits = true;
  bool format_known = true;
  bool format_given = false;
  bool legend_known = true;
  bool units_known = true;
  bool norm_ok = true;
  bool nyquist_ok = true;
  bool tol_ok = true;
  bool y_drawable = true;
  // SIZE= with units is read as pixels too, as it always was: in the
  // fixed-cell style that reading stands, with its warning in its place.
  std::string size_pixel_warning;
  size_t size_warning_at = 0;
  // The first key whose value could not be used at all (CHANNEL=, TIME= ...).
  std::string refused;
  // Why a value was refused, for the line on standard error that follows
  // the message.
  std::string reason;
  // Which table entries were given, for each input: for the options that
  // have no effect.
  std::vector<unsigned char> given;

  void warn(const std::string& text) { warnings.push_back(text); }
};
