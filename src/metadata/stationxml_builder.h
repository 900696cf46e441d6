#pragma once

#include <complex>
#include <string>
#include <vector>

#include "metadata/stationxml_tags.h"
#include "response/channel_response.h"

// What the reader holds while inside one matching <Channel>: the elements
// open below it and the value being read. Fed the parser's events in
// order; each step returns 0, or -1 with `why` telling what is wrong with
// the element at hand.
struct ChannelBuild {
  ChannelResponse* channel = nullptr;
  std::vector<Tag> open;  // from the <Channel> itself; `other` where not read
  std::string text;       // the open value element's text so far
  bool collecting = false, text_too_long = false;
  bool stage_has_response = false;  // a Stage holds one response element
  bool pz_type_seen = false;
  bool analog_coefficients = false;
  std::complex<double> root;  // the Zero or Pole being read
  ListPoint point{0, 0, 0};   // the ResponseListElement being read
};

void begin_channel(ChannelBuild& build, ChannelResponse& channel);

// An element opens inside the channel; `attributes` as the parser gives them:
// name, value, ..., null.
int open_in_channel(ChannelBuild& build, Tag tag, const char** attributes, std::string& why);

void text_in_channel(ChannelBuild& build, const char* text, int length);

// The innermost open element closes; true in `channel_done` when it was the
// <Channel> itself, whose stages are then in sequence order.
int close_in_channel(ChannelBuild& build, bool& channel_done, std::string& why);
