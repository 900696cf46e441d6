#pragma once

#include <string>
#include <string_view>

// The text of a StationXML value, read whole; false with `why` telling what
// is wrong with it (not a number, out of range).

// The text without the XML white space around it.
std::string_view trim_xml_space(std::string_view text);

// The text in double quotes for a message, its start alone when long.
std::string quoted(std::string_view text);

// A finite number.
bool read_real(std::string_view text, double& value, std::string& why);

// A whole number within [lowest, highest].
bool read_whole(std::string_view text, int lowest, int highest, int& value, std::string& why);
