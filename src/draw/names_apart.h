#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// `text` cut to at most `most` cells as shortened() cuts it, unless
// `other`, a different text, would then read the same: the cut then keeps
// what tells `text` from `other`. The shared beginning gives way to "...",
// and the text's end stays where it holds the difference, otherwise the
// difference and what follows it, cut with "..." in turn. So two deviation
// names are never both shown as "Deviation...".
std::string shortened_apart(std::string_view text, std::string_view other, size_t most);
