#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/computed_response.h"
#include "core/plot_options.h"
#include "response/channel_response.h"

// Whether a file's text is station metadata: SEED RESP (its B0nnFnn
// lines) or FDSN StationXML (its root element). Neither a point file nor a
// pole-zero file ever is.
bool is_metadata(std::string_view text);

// What the picture may take from the metadata where the command line
// gives nothing: the caption (channel and epoch) and the amplitude axis's
// name (its units, "counts/(m/s)"); and the FAP file's "#" line.
struct MetadataNames {
  std::string caption, amplitude_axis, about;
  // The stated sensitivity, where it refers to the curve as drawn: every
  // stage, in the sensitivity's own units, neither normalised nor in dB.
  std::optional<ResponsePoint> sensitivity;
};

// The channel epoch of metadata `text` that input `input` selects
// (CHANNEL=, TIME=), as a response computed where it is used, by its
// stages (STAGES=, DELAY=, GAIN=) in its own units, or in UNITS='s when
// given. Returns 0, or -2 with the message in last_error and the cause on
// standard error, naming the file: the metadata unreadable (its line or
// element and why), no epoch or several matching (those listed, at most
// ten), or a chain that cannot be evaluated. What looks wrong though it
// can be drawn (stage gains against the sensitivity, FIR coefficients
// normalised) goes to `warnings`.
int metadata_curve(std::string_view text, const PlotOptions& options, int input,
                   std::shared_ptr<const ComputedResponse>& computed, MetadataNames& names,
                   std::vector<std::string>& warnings);

// The same for a channel epoch already read, as `input`'s file would give
// it: a network check reads its inventories once and draws every epoch
// from them, each as the command line naming its channel and epoch draws it.
int epoch_curve(ChannelResponse epoch, const PlotOptions& options, int input,
                std::shared_ptr<const ComputedResponse>& computed, MetadataNames& names,
                std::vector<std::string>& warnings);
