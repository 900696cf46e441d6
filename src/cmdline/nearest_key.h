#pragma once

// The known key an unknown argument most likely misspells: the one within
// two edits of its key part (up to and including "=", or the whole
// switch, "/" read as "-"), letter case aside, among every key of the
// option table and the help switches; nullptr when none is.
const char* nearest_key(const char* arg);
