#pragma once

#include <cstddef>
#include <string_view>

// A quick pass over the raw text that lets the reader hand the parser a
// channel's start and end tags without the body, when the channel is not
// asked for: the body of a large inventory's other channels is then looked
// at only for where its elements begin and end, at the speed of a memory
// search. Nothing in it is expanded, allocated or believed.

// One past the '>' of the first start tag at or after `from` whose name is
// Channel (with any prefix); npos when there is none.
size_t next_channel_tag_end(std::string_view text, size_t from);

// Where the end tag of the Channel whose start tag ends at `from` begins;
// npos when the body is not plainly markup the parser would read (a comment,
// CDATA or tag left open, a declaration): the parser then reads it itself.
size_t channel_body_end(std::string_view text, size_t from);
