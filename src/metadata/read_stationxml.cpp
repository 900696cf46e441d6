#include "metadata/read_stationxml.h"

#include <expat.h>
#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <memory>

#include "input/truncation_guard.h"
#include "metadata/channel_skip.h"
#include "metadata/stationxml_builder.h"
#include "metadata/stationxml_tags.h"

// expat reads the text as a stream of events. Outside a matching channel the
// reader follows only FDSNStationXML > Network > Station > Channel and hands
// any other subtree to two handlers that count its depth and nothing else.
// The text is handed to the parser up to each Channel start tag; when the
// parser finds that channel not asked for, its body is passed over by a quick
// search for its end tag (channel_skip.h), so that the bulk of a large
// inventory never reaches the parser at all.

namespace {

// StationXML nests about ten deep; the bound keeps a hostile nesting from
// costing the parser memory for every level.
constexpr int deepest_nesting = 100;
// The most handed to the parser at a time: it copies what it is given into
// its own buffer, which then stays this small.
constexpr size_t largest_piece = 1 << 18;
// A pipe is read in blocks of this size: few system calls, little stack.
constexpr size_t pipe_block = 1 << 16;
// The parser names an element "namespace|local".
constexpr char namespace_separator = '|';
constexpr std::string_view fdsn_namespace = "http://www.fdsn.org/xml/station/1";

// The levels above the channel, by their depth in the document.
constexpr int network_depth = 2, station_depth = 3, channel_depth = 4;

struct Reading {
  XML_Parser parser = nullptr;
  std::string source;
  const ChannelFilter* filter = nullptr;
  ChannelFilter network_filter, station_filter;  // the parts below the level set to "*"
  std::vector<ChannelResponse> found;
  std::string network, station;
  int depth = 0;         // elements open now
  int skipped_from = 0;  // the depth of the subtree being passed over; 0 none
  bool in_channel = false;
  ChannelBuild build;
  std::string_view text;  // all of it, as the file has it
  // The channel bodies passed over: where each was in what the parser saw,
  // and how long; with them a parser position finds its place in the text.
  struct Gap {
    size_t at, length;
  };
  std::vector<Gap> gaps;
  size_t passed_over = 0;
  // The end of the last Channel start tag the parser found not asked for, as
  // a position in what it saw; -1 none.
  XML_Index body_offered = -1;
  std::string why;  // set with the first failure, which stops the parser
  BrokenEpochs on_broken = BrokenEpochs::refuse;
};

void XMLCALL start_element(void* data, const XML_Char* name, const XML_Char** attributes);
void XMLCALL end_element(void* data, const XML_Char* name);

// "Stage" from "http://www.fdsn.org/xml/station/1|Stage"; false for an
// element of another namespace, which StationXML allows as an extension.
bool local_name(const char* name, std::string_view& local) {
  std::string_view full = name;
  size_t bar = full.rfind(namespace_separator);
  if (bar == std::string_view::npos) {
    local = full;
    return true;
  }
  local = full.substr(bar + 1);
  return full.substr(0, bar) == fdsn_namespace;
}

// "line L, column C" of the parser's position in the text, the passed-over
// bodies before it included.
std::string place(const Reading& r) {
  XML_Index seen = XML_GetCurrentByteIndex(r.parser);
  size_t parsed = seen < 0 ? 0 : static_cast<size_t>(seen), at = parsed;
  for (const Reading::Gap& gap : r.gaps) {
    if (gap.at <= parsed) at += gap.length;
  }
  std::string_view before = r.text.substr(0, std::min(at, r.text.size()));
  size_t line_start = before.rfind('\n') + 1;  // npos + 1: 0 on the first line
  return "line " + std::to_string(std::count(before.begin(), before.end(), '\n') + 1) +
         ", column " + std::to_string(before.size() - line_start + 1);
}

void XMLCALL skip_start(void* data, const XML_Char* name, const XML_Char**);
void XMLCALL skip_end(void* data, const XML_Char*);

// A channel kept broken: marked, and the rest of its element passed over
// (nothing, when the fault was found at its own end tag).
void keep_broken(Reading& r, const std::string& why) {
  r.found.back().unreadable = why;
  r.in_channel = false;
  XML_SetCharacterDataHandler(r.parser, nullptr);
  if (r.depth < channel_depth) return;
  r.skipped_from = channel_depth;
  XML_SetElementHandler(r.parser, skip_start, skip_end);
}

void fail(Reading& r, const std::string& element, const std::string& reason) {
  if (!r.why.empty()) return;
  std::string why =
      r.source + ", " + place(r) + (element.empty() ? "" : ", <" + element + ">") + ": " + reason;
  if (r.in_channel && r.on_broken == BrokenEpochs::keep) return keep_broken(r, why);
  r.why = why;
  XML_StopParser(r.parser, XML_FALSE);
}

// The parser has just read the start tag of a channel not asked for: its
// body may be passed over.
void offer_body(Reading& r) {
  r.body_offered = XML_GetCurrentByteIndex(r.parser) + XML_GetCurrentByteCount(r.parser);
}

bool names_channel(std::string_view name) {
  constexpr std::string_view channel = "Channel";
  return name.ends_with(channel) && (name.size() == channel.size() ||
                                     name[name.size() - channel.size() - 1] == namespace_separator);
}

bool too_deep(Reading& r, const char* name) {
  if (++r.depth <= deepest_nesting) return false;
  std::string_view local;
  local_name(name, local);
  fail(r, std::string(local),
       "elements nest deeper than " + std::to_string(deepest_nesting) + " levels");
  return true;
}

void XMLCALL skip_start(void* data, const XML_Char* name, const XML_Char**) {
  Reading& r = *static_cast<Reading*>(data);
  if (!too_deep(r, name) && names_channel(name)) offer_body(r);
}

void XMLCALL skip_end(void* data, const XML_Char*) {
  Reading& r = *static_cast<Reading*>(data);
  if (r.depth-- == r.skipped_from) {
    r.skipped_from = 0;
    XML_SetElementHandler(r.parser, start_element, end_element);
  }
}

// Passes over the element just opened and all it holds.
void skip_subtree(Reading& r) {
  r.skipped_from = r.depth;
  XML_SetElementHandler(r.parser, skip_start, skip_end);
}

const char* attribute(const char** attributes, const char* name) {
  for (; attributes[0] != nullptr; attributes += 2) {
    if (strcmp(attributes[0], name) == 0) return attributes[1];
  }
  return nullptr;
}

std::string attribute_text(const char** attributes, const char* name) {
  const char* value = attribute(attributes, name);
  return value == nullptr ? "" : value;
}

void XMLCALL channel_text(void* data, const XML_Char* text, int length) {
  text_in_channel(static_cast<Reading*>(data)->build, text, length);
}

// A date attribute in normal form; "" when absent. False when it is not a time.
bool epoch_time(const char** attributes, const char* name, std::string& normal, std::string& why) {
  std::string text = attribute_text(attributes, name);
  // Some writers give the zone as an offset; StationXML times are UTC.
  for (std::string_view utc : {"+00:00", "-00:00"}) {
    if (text.ends_with(utc)) text.resize(text.size() - utc.size());
  }
  normal = text.empty() ? "" : normal_time(text);
  if (!text.empty() && normal.empty()) why = name + std::string(" \"") + text + "\" is not a time";
  return why.empty();
}

void open_channel(Reading& r, const char** attributes) {
  std::string location = attribute_text(attributes, "locationCode");
  std::string code = attribute_text(attributes, "code");
  if (!channel_matches(*r.filter, r.network, r.station, location, code)) {
    offer_body(r);
    return skip_subtree(r);
  }
  std::string start, end, why;
  if (!epoch_time(attributes, "startDate", start, why) ||
      !epoch_time(attributes, "endDate", end, why)) {
    return fail(r, "Channel", why);
  }
  if (!epoch_holds(*r.filter, start, end)) {
    offer_body(r);
    return skip_subtree(r);
  }
  ChannelResponse& c = r.found.emplace_back();
  c.network = r.network, c.station = r.station, c.location = location, c.channel = code;
  c.start = start, c.end = end, c.source = r.source;
  r.in_channel = true;
  begin_channel(r.build, c);
  XML_SetCharacterDataHandler(r.parser, channel_text);
}

// Above the channel: the root, a network, a station, a channel.
void open_level(Reading& r, Tag tag, std::string_view local, const char** attributes) {
  if (r.depth == 1) {
    if (tag != Tag::root) fail(r, std::string(local), "the root element is not FDSNStationXML");
    return;
  }
  std::string code = attribute_text(attributes, "code");
  if (r.depth == network_depth && tag == Tag::network &&
      channel_matches(r.network_filter, code, "", "", "")) {
    r.network = code;
  } else if (r.depth == station_depth && tag == Tag::station &&
             channel_matches(r.station_filter, r.network, code, "", "")) {
    r.station = code;
  } else if (r.depth == channel_depth && tag == Tag::channel) {
    open_channel(r, attributes);
  } else {
    skip_subtree(r);
  }
}

void XMLCALL start_element(void* data, const XML_Char* name, const XML_Char** attributes) {
  Reading& r = *static_cast<Reading*>(data);
  if (too_deep(r, name)) return;
  std::string_view local;
  if (!local_name(name, local)) return skip_subtree(r);
  Tag tag = tag_of(local);
  if (!r.in_channel) return open_level(r, tag, local, attributes);
  std::string why;
  if (open_in_channel(r.build, tag, attributes, why) != 0) fail(r, std::string(local), why);
}

void XMLCALL end_element(void* data, const XML_Char* name) {
  Reading& r = *static_cast<Reading*>(data);
  --r.depth;
  if (!r.in_channel) return;
  bool done = false;
  std::string why;
  if (close_in_channel(r.build, done, why) != 0) {
    std::string_view local;
    local_name(name, local);
    return fail(r, std::string(local), why);
  }
  if (done) {
    r.in_channel = false;
    XML_SetCharacterDataHandler(r.parser, nullptr);
  }
}

// Entities are refused outright: none is ever expanded, so no declaration
// can multiply the text, and none is fetched, so no other file is opened.
void XMLCALL entity_declared(void* data, const XML_Char* name, int, const XML_Char*, int,
                             const XML_Char*, const XML_Char*, const XML_Char*, const XML_Char*) {
  Reading& r = *static_cast<Reading*>(data);
  fail(r, "",
       std::string("the document type declares the entity \"") + name + "\": entities are refused");
}

void XMLCALL entity_skipped(void* data, const XML_Char* name, int) {
  Reading& r = *static_cast<Reading*>(data);
  fail(r, "", std::string("the entity reference &") + name + "; is refused");
}

struct ParserFree {
  void operator()(XML_Parser p) const { XML_ParserFree(p); }
};
using Parser = std::unique_ptr<std::remove_pointer_t<XML_Parser>, ParserFree>;

Parser make_parser(Reading& r) {
  Parser parser(XML_ParserCreateNS(nullptr, namespace_separator));
  if (!parser) return parser;
  r.parser = parser.get();
  XML_SetUserData(r.parser, &r);
  XML_SetElementHandler(r.parser, start_element, end_element);
  XML_SetEntityDeclHandler(r.parser, entity_declared);
  XML_SetSkippedEntityHandler(r.parser, entity_skipped);
  XML_SetParamEntityParsing(r.parser, XML_PARAM_ENTITY_PARSING_NEVER);
  return parser;
}

void prepare(Reading& r, const std::string& source, const ChannelFilter& filter) {
  r.source = source;
  r.filter = &filter;
  r.network_filter.parts[0] = filter.parts[0];
  r.station_filter.parts[0] = filter.parts[0];
  r.station_filter.parts[1] = filter.parts[1];
}

// After the parser stopped or failed: the reason, or "" when the document
// was read whole.
void parser_failure(Reading& r) {
  if (!r.why.empty()) return;
  XML_Error code = XML_GetErrorCode(r.parser);
  if (code == XML_ERROR_NONE) return;
  std::string reason = XML_ErrorString(code);
  if (code == XML_ERROR_NO_ELEMENTS || code == XML_ERROR_UNCLOSED_TOKEN ||
      code == XML_ERROR_PARTIAL_CHAR) {
    reason += r.depth > 0 ? ": the file ends inside an element (cut short?)" : "";
  }
  fail(r, "", reason);
}

int finish(Reading& r, std::vector<ChannelResponse>& out, std::string& why) {
  parser_failure(r);
  if (!r.why.empty()) {
    why = r.why;
    return -1;
  }
  for (ChannelResponse& c : r.found) out.push_back(std::move(c));
  return 0;
}

bool feed(Reading& r, std::string_view piece, bool last) {
  do {
    size_t n = std::min(piece.size(), largest_piece);
    bool final_piece = last && n == piece.size();
    if (XML_Parse(r.parser, piece.data(), static_cast<int>(n), final_piece) != XML_STATUS_OK) {
      return false;
    }
    piece.remove_prefix(n);
  } while (!piece.empty());
  return true;
}

// Hands the text to the parser up to each Channel start tag, and passes over
// the body of each channel the parser finds not asked for.
void parse_text(Reading& r) {
  std::string_view text = r.text;
  size_t at = 0;
  for (;;) {
    size_t tag_end = next_channel_tag_end(text, at);
    size_t end = tag_end == std::string_view::npos ? text.size() : tag_end;
    if (!feed(r, text.substr(at, end - at), tag_end == std::string_view::npos)) return;
    at = end;
    if (tag_end == std::string_view::npos) return;
    XML_Index seen = static_cast<XML_Index>(at - r.passed_over);
    // An empty element, <Channel .../>, has no body to pass over.
    if (r.body_offered == seen && text[at - 2] != '/') {
      size_t body_end = channel_body_end(text, at);
      if (body_end != std::string_view::npos) {
        r.gaps.push_back({static_cast<size_t>(seen), body_end - at});
        r.passed_over += body_end - at;
        at = body_end;
      }
    }
    r.body_offered = -1;
  }
}

// The whole file, mapped where it can be (its pages then cost no heap),
// else read; false with `why` when it cannot be read.
struct WholeFile {
  void* map = nullptr;
  size_t size = 0;
  std::string read;
  ~WholeFile() {
    if (map != nullptr) munmap(map, size);
  }
  std::string_view text() const {
    return map != nullptr ? std::string_view(static_cast<const char*>(map), size) : read;
  }
};

bool read_whole_file(int fd, WholeFile& file) {
  struct stat st;
  if (fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && st.st_size > 0) {
    file.size = static_cast<size_t>(st.st_size);
    void* map = mmap(nullptr, file.size, PROT_READ, MAP_PRIVATE, fd, 0);
    if (map != MAP_FAILED) {
      guard_against_truncation();
      file.map = map;
      return true;
    }
  }
  char block[pipe_block];
  for (;;) {
    ssize_t n = read(fd, block, sizeof block);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return n == 0;
    file.read.append(block, static_cast<size_t>(n));
  }
}

}  // namespace

int read_stationxml(const std::string& path, const ChannelFilter& filter,
                    std::vector<ChannelResponse>& out, std::string& why) {
  int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
  WholeFile file;
  bool read = fd >= 0 && read_whole_file(fd, file);
  int error = errno;
  if (fd >= 0) close(fd);
  if (!read) {
    why = path + ": " + strerror(error);
    return -1;
  }
  return read_stationxml_text(file.text(), path, filter, out, why);
}

int read_stationxml_text(std::string_view text, const std::string& source,
                         const ChannelFilter& filter, std::vector<ChannelResponse>& out,
                         std::string& why, BrokenEpochs on_broken) {
  Reading r;
  prepare(r, source, filter);
  r.on_broken = on_broken;
  r.text = text;
  Parser parser = make_parser(r);
  if (!parser) {
    why = source + ": out of memory for the XML parser";
    return -1;
  }
  parse_text(r);
  return finish(r, out, why);
}
