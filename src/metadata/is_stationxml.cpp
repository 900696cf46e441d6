#include "metadata/read_stationxml.h"

namespace {

bool xml_space(char c) {
  return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

// Moves `at` past what may come before the root element: white space,
// "<?...?>", "<!--...-->" and "<!DOCTYPE ...>" (with an internal subset in
// brackets). False when none of them starts there.
bool skip_prolog_item(std::string_view t, size_t& at) {
  if (xml_space(t[at])) {
    ++at;
    return true;
  }
  auto skip_to = [&](std::string_view end) {
    size_t found = t.find(end, at);
    at = found == std::string_view::npos ? t.size() : found + end.size();
    return true;
  };
  std::string_view rest = t.substr(at);
  if (rest.starts_with("<?")) return skip_to("?>");
  if (rest.starts_with("<!--")) return skip_to("-->");
  if (!rest.starts_with("<!DOCTYPE")) return false;
  size_t bracket = t.find('[', at), close = t.find('>', at);
  return skip_to(bracket < close ? "]" : ">") && (bracket > close || skip_to(">"));
}

bool name_char(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_' ||
         c == '-' || c == '.' || static_cast<unsigned char>(c) >= 0x80;
}

}  // namespace

bool is_stationxml(std::string_view text) {
  static constexpr std::string_view bom = "\xEF\xBB\xBF", root = "FDSNStationXML";
  size_t at = text.starts_with(bom) ? bom.size() : 0;
  while (at < text.size() && skip_prolog_item(text, at)) {
  }
  if (at >= text.size() || text[at] != '<') return false;
  size_t name = ++at;
  while (at < text.size() && name_char(text[at])) ++at;
  // A prefix: "fsx:FDSNStationXML".
  if (at < text.size() && text[at] == ':') name = ++at;
  if (text.substr(name, root.size()) != root) return false;
  at = name + root.size();
  return at < text.size() && (xml_space(text[at]) || text[at] == '>' || text[at] == '/');
}
