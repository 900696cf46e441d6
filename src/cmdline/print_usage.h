#pragma once

// Prints the help text on standard output, in the character set of the
// user's locale when it can show Cyrillic, otherwise in UTF-8.
void print_usage();
