#include "qc/picture_name.h"

#include <cstdio>
#include <set>

namespace {

constexpr size_t seconds_end = 19;  // "2010-01-01T00:00:00"

bool kept(char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-';
}

// A code with every other character (a ".", "_" or "/" in it, a blank, a
// byte of UTF-8) written "_" and its two hex digits: two channels never
// share a name, even when drawn by different shards.
std::string escaped(const std::string& code) {
  std::string out;
  for (char c : code) {
    if (kept(c)) {
      out += c;
      continue;
    }
    char hex[4];
    snprintf(hex, sizeof hex, "_%02X", static_cast<unsigned char>(c));
    out += hex;
  }
  return out;
}

// The start to the second without colons, with its fraction where not zero.
std::string start_part(const std::string& start) {
  std::string out;
  for (size_t i = 0; i < start.size() && i < seconds_end; ++i) {
    if (start[i] != ':') out += start[i];
  }
  std::string fraction = start.size() > seconds_end ? start.substr(seconds_end) : "";
  if (fraction.find_first_not_of(".0") != std::string::npos) {
    out += fraction.substr(0, fraction.find_last_not_of('0') + 1);
  }
  return out;
}

}  // namespace

std::string qc_time(const std::string& t) {
  bool whole_second = t.find_first_not_of(".0", seconds_end) == std::string::npos;
  return whole_second ? t.substr(0, seconds_end) : t;
}

std::string qc_channel_name(const ChannelResponse& r) {
  return r.network + "." + r.station + "." + r.location + "." + r.channel;
}

std::string picture_name(const ChannelResponse& r, const std::string& extension) {
  return escaped(r.network) + "." + escaped(r.station) + "." + escaped(r.location) + "." +
         escaped(r.channel) + "_" + start_part(r.start) + "." + extension;
}

void make_names_unique(std::vector<std::string>& names) {
  std::set<std::string> taken(names.begin(), names.end());
  std::set<std::string> seen;
  for (std::string& name : names) {
    if (seen.insert(name).second) continue;
    const size_t dot = name.rfind('.');
    std::string candidate;
    for (int n = 2; taken.count(candidate = name.substr(0, dot) + "_" + std::to_string(n) +
                                            name.substr(dot)) != 0;
         ++n) {
    }
    name = candidate;
    taken.insert(name);
    seen.insert(name);
  }
}
