#include "report/svg_ids.h"

#include <charconv>
#include <cstdint>
#include <string_view>

namespace {

// The id cairo gives the first surface a process creates; a run alone
// creates its document's surface first.
constexpr uint64_t first_surface_id = 1;

// The names cairo writes with a process-wide number after them, as they
// appear in ids (id="surface3") and in references (#surface3).
constexpr std::string_view counted_names[] = {"surface", "image"};

constexpr std::string_view root_mark = "<g id=\"surface";

// The number at `at` in `svg`, and where it ends; false where none is.
bool number_at(const std::string& svg, size_t at, uint64_t& value, size_t& end) {
  const char* first = svg.data() + at;
  auto [next, error] = std::from_chars(first, svg.data() + svg.size(), value);
  end = at + static_cast<size_t>(next - first);
  return error == std::errc() && next != first;
}

// Whether a counted name at `at` is an id or a reference: after `id="` or
// `#`, so that no other text that merely holds the word is touched.
bool names_an_id(const std::string& svg, size_t at) {
  std::string_view before = std::string_view(svg).substr(0, at);
  return before.ends_with("id=\"") || before.ends_with('#');
}

}  // namespace

void renumber_svg_ids(std::string& svg) {
  size_t root = svg.find(root_mark);
  uint64_t root_id;
  size_t end;
  if (root == std::string::npos || !number_at(svg, root + root_mark.size(), root_id, end)) return;
  if (root_id == first_surface_id) return;  // as a run alone wrote it
  const uint64_t shift = root_id - first_surface_id;
  std::string renumbered;
  renumbered.reserve(svg.size());
  size_t copied = 0;
  for (size_t at = 0; at < svg.size(); ++at) {
    for (std::string_view name : counted_names) {
      if (svg.compare(at, name.size(), name) != 0 || !names_an_id(svg, at)) continue;
      uint64_t id;
      size_t digits = at + name.size();
      if (!number_at(svg, digits, id, end) || id < shift) continue;
      renumbered.append(svg, copied, digits - copied);
      renumbered += std::to_string(id - shift);
      copied = end;
      at = end - 1;  // the loop steps past the number
      break;
    }
  }
  renumbered.append(svg, copied, std::string::npos);
  svg.swap(renumbered);
}
