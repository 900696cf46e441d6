#pragma once

// Whether "--version" (any ASCII letter case) is among the arguments after
// the program's name; it wins over everything else on the command line.
bool asks_for_version(int argc, const char* const argv[]);

// Prints "afcdraw " and the version, one line, on standard output.
void print_version();
