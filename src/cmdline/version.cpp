#include "cmdline/version.h"

#include <cstdio>

namespace {

char fold(char c) {
  return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool is_version_switch(const char* arg) {
  const char* key = "--version";
  for (; *key != '\0'; ++arg, ++key) {
    if (fold(*arg) != *key) return false;
  }
  return *arg == '\0';
}

}  // namespace

bool asks_for_version(int argc, const char* const argv[]) {
  for (int i = 1; i < argc; ++i) {
    if (is_version_switch(argv[i])) return true;
  }
  return false;
}

// AFCDRAW_VERSION comes from the project's version in CMakeLists.txt.
void print_version() {
  printf("afcdraw %s\n", AFCDRAW_VERSION);
}
