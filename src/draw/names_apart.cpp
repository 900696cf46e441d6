#include "draw/names_apart.h"

#include <vector>

#include "core/utf8.h"
#include "draw/draw_text.h"

namespace {

constexpr size_t ellipsis = 3;  // the cells of "..."

// Where each cell of `text` starts, as text_cells counts them.
std::vector<size_t> cell_starts(std::string_view text) {
  std::vector<size_t> starts;
  for (size_t at = 0; at < text.size(); at += next_char(text.substr(at)).length) {
    starts.push_back(at);
  }
  return starts;
}

// The cell holding the first byte where the texts differ; the cell count
// where `text` is a beginning of `other`.
size_t first_different_cell(const std::vector<size_t>& starts, std::string_view text,
                            std::string_view other) {
  size_t same = 0;
  while (same < text.size() && same < other.size() && text[same] == other[same]) ++same;
  size_t cell = 0;
  while (cell < starts.size() && starts[cell] <= same) ++cell;
  return same == text.size() ? starts.size() : cell - 1;
}

}  // namespace

std::string shortened_apart(std::string_view text, std::string_view other, size_t most) {
  std::string cut = shortened(text, most);
  if (text == other || most <= ellipsis || cut != shortened(other, most)) return cut;
  std::vector<size_t> starts = cell_starts(text);
  size_t room = most - ellipsis;  // cells after the leading "..."
  size_t differ = first_different_cell(starts, text, other);
  size_t tail = starts.size() - room;  // shortened() cut it: more cells than `most`
  if (tail <= differ) return "..." + std::string(text.substr(starts[tail]));
  return "..." + shortened(text.substr(starts[differ]), room);
}
