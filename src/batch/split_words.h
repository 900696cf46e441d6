#pragma once

#include <string>
#include <string_view>
#include <vector>

// Splits one job line into words as a POSIX shell does, with no expansion
// of any kind: blanks separate words; '...' keeps everything as it is;
// "..." keeps everything but a backslash before $ ` " \ or a newline; a
// backslash outside quotes keeps the next character; a "#" that begins a
// word begins a comment to the end of the line. Returns false (and
// `why`) for an unterminated quote or a backslash at the end.
bool split_words(std::string_view line, std::vector<std::string>& words, std::string& why);
