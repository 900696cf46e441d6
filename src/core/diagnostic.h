#pragma once

#include <cstdio>
#include <string>

// A line for the user on standard error, which carries no message a script
// reads: the cause behind a failure, or what a run ignored. Standard output
// stays exactly the message lines it always had.
inline void diagnose(const std::string& text) {
  fprintf(stderr, "afcdraw: %s\n", text.c_str());
}
