#include "cmdline/version.h"

#include <cstdio>

#include "core/ascii_case.h"

bool asks_for_version(int argc, const char* const argv[]) {
  static constexpr char version_switch[] = "--version";
  for (int i = 1; i < argc; ++i) {
    if (equal_folded(argv[i], version_switch, sizeof version_switch)) return true;
  }
  return false;
}

// AFCDRAW_VERSION comes from the project's version in CMakeLists.txt.
void print_version() {
  printf("afcdraw %s\n", AFCDRAW_VERSION);
}
