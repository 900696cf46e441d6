#pragma once

// Every option key ("X_AXIS=") and switch ("-fit") the command line knows.
extern const char* const known_keys[];
extern const int known_key_count;

// The known key an unknown argument most likely misspells: the one within
// two edits of its key part (up to and including "=", or the whole
// switch, "/" read as "-"), letter case aside; nullptr when none is.
const char* nearest_key(const char* arg);
