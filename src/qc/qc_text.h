#pragma once

#include <string>
#include <string_view>

// How a network check's texts (channel codes, messages, picture names) are
// written into each of its files.

// The text with every byte that starts no valid UTF-8 character replaced by
// U+FFFD, so that every file (and a merge reading summary.json back) holds
// the same characters.
std::string clean_utf8(std::string_view text);

// A JSON string, quoted: quotes, backslashes and control characters escaped,
// everything else kept as it is (UTF-8).
std::string json_string(std::string_view text);

// Text for XML or HTML: markup characters as entities, and characters XML 1.0
// forbids (controls other than tab and line ends) as U+FFFD, since no
// reference may stand for them. In an attribute the tab and line ends are
// references too, so that a reader's normalisation keeps them.
std::string xml_text(std::string_view text, bool attribute = false);

// A relative file name as a URL path: bytes other than unreserved ones and
// "/" percent-encoded, so that "#", "?" or "%" in a name stay in the name.
std::string url_path(std::string_view name);
