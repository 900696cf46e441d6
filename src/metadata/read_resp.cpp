#include "metadata/read_resp.h"

#include "metadata/resp_channel.h"
#include "response/unit_chain.h"

namespace {

// The next line of `text` from `at`, without its line break.
std::string_view next_line(std::string_view text, size_t& at) {
  size_t end = text.find('\n', at);
  if (end == std::string_view::npos) end = text.size();
  std::string_view line = text.substr(at, end - at);
  at = end + 1;
  return line;
}

// Stages 1 ... n, each present, into the response; the sample rate the
// last decimating stage puts out; the sensitivity's units from the chain's ends.
int finish_stages(RespChannel& c, BrokenEpochs on_break, std::string& why) {
  int expected = 1;
  for (auto& [number, stage] : c.stages) {
    if (number != expected) {
      why = at_line(c.line, "stage " + std::to_string(expected) + " missing (stage " +
                                std::to_string(number) + " follows)");
      return -1;
    }
    ++expected;
    c.r.stages.push_back(std::move(stage));
  }
  if (check_unit_chain(c.r.stages, 0, c.r.stages.size(), why) != 0 &&
      on_break == BrokenEpochs::refuse) {
    why = at_line(c.line, why);
    return -1;
  }
  c.r.derived_from_stages = true;
  for (const Stage& s : c.r.stages) {
    if (s.has_decimation) c.r.sample_rate = s.input_sample_rate / s.decimation_factor;
    if (s.kind == StageKind::gain_only) continue;
    if (c.r.sensitivity_input_units.empty()) c.r.sensitivity_input_units = s.input_units;
    c.r.sensitivity_output_units = s.output_units;
  }
  return 0;
}

// Ends the epoch being read: kept when the filter matches it.
int finish_channel(RespChannel& c, const ChannelFilter& filter, BrokenEpochs on_break,
                   std::vector<ChannelResponse>& out, std::string& why) {
  if (!c.has_channel) {
    if (c.line == 0) return 0;
    why = at_line(c.line, "a station without its channel (B052 lines)");
    return -1;
  }
  if (!channel_matches(filter, c.r.network, c.r.station, c.r.location, c.r.channel) ||
      !epoch_holds(filter, c.r.start, c.r.end)) {
    return 0;
  }
  if (c.r.unreadable.empty() && c.stages.empty())
    c.r.unreadable = at_line(c.line, "a channel without stages");
  // rdseed ends every channel with its sensitivity: without it the text
  // most likely stops short.
  if (c.r.unreadable.empty() && !c.r.has_sensitivity)
    c.r.unreadable =
        at_line(c.line, "a channel without its sensitivity (stage 0); is the text cut short?");
  if (c.r.unreadable.empty() && finish_stages(c, on_break, why) != 0) c.r.unreadable = why;
  if (!c.r.unreadable.empty() && on_break == BrokenEpochs::refuse) {
    why = c.r.unreadable;
    return -1;
  }
  out.push_back(std::move(c.r));
  return 0;
}

// A B050 begins a new station's epoch; a B052 a new channel's, unless it
// completes a B050 just read.
void begin_epoch(const RespBlockette& b, RespChannel& c) {
  RespChannel next;
  next.line = b.line;
  if (b.type == 52) next.r.network = c.r.network, next.r.station = c.r.station;
  c = std::move(next);
}

class RespReader {
 public:
  RespReader(const ChannelFilter& filter, BrokenEpochs on_break, std::vector<ChannelResponse>& out)
      : filter_(filter), on_break_(on_break), out_(out) {}

  // `fault`: why a line of the blockette could not be read ("" none; only
  // where broken epochs are kept), the fault of the epoch it belongs to.
  int blockette(const RespBlockette& b, const std::string& fault, std::string& why) {
    if (b.type == 50 || b.type == 52) {
      bool completes = b.type == 52 && !channel_.has_channel && channel_.stages.empty() &&
                       !channel_.r.has_sensitivity && channel_.line != 0;
      if (!completes) {
        if (finish_channel(channel_, filter_, on_break_, out_, why) != 0) return -1;
        begin_epoch(b, channel_);
      }
      if (apply_channel_blockette(b, channel_, why) != 0) return -1;
      keep_fault(fault);
      return 0;
    }
    if (channel_.line == 0) {
      why = at_line(b.line, "a blockette before the channel's B050/B052 lines");
      return -1;
    }
    keep_fault(fault);
    if (!channel_.r.unreadable.empty()) return 0;  // kept broken: the rest passed over
    if (apply_stage_blockette(b, channel_, why) == 0) return 0;
    if (on_break_ == BrokenEpochs::refuse) return -1;
    channel_.r.unreadable = why;
    return 0;
  }

  int finish(std::string& why) { return finish_channel(channel_, filter_, on_break_, out_, why); }

 private:
  void keep_fault(const std::string& fault) {
    if (channel_.r.unreadable.empty()) channel_.r.unreadable = fault;
  }

  const ChannelFilter& filter_;
  BrokenEpochs on_break_;
  std::vector<ChannelResponse>& out_;
  RespChannel channel_;
};

}  // namespace

bool is_resp(std::string_view text) {
  size_t at = 0;
  while (at < text.size()) {
    RespLine line;
    std::string ignored;
    int kind = read_resp_line(next_line(text, at), line, ignored);
    if (kind != 1) return kind == 0;
  }
  return false;
}

int read_resp(std::string_view text, const ChannelFilter& filter, std::vector<ChannelResponse>& out,
              std::string& why, BrokenEpochs on_break) {
  RespReader reader(filter, on_break, out);
  RespBlockette current;
  std::string fault;  // a line of `current` not read, where broken epochs are kept
  size_t at = 0;
  for (int number = 1; at < text.size(); ++number) {
    RespLine line;
    int kind = read_resp_line(next_line(text, at), line, why);
    if (kind < 0) {
      why = at_line(number, why);
      if (on_break == BrokenEpochs::refuse || current.type == 0) return -1;
      if (fault.empty()) fault = why;
      continue;
    }
    if (kind == 1) continue;
    // A number cut off at the end would read as another number.
    if (at > text.size()) {
      why = at_line(number, "the text ends inside a line; is it cut short?");
      return -1;
    }
    if (starts_blockette(current, line)) {
      if (current.type != 0 && reader.blockette(current, fault, why) != 0) return -1;
      current = RespBlockette{};
      fault.clear();
    }
    add_line(current, line, number);
  }
  if (current.type != 0 && reader.blockette(current, fault, why) != 0) return -1;
  return reader.finish(why);
}
