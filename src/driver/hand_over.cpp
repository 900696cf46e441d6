#include "driver/hand_over.h"

#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <string>

#include "core/ascii_case.h"
#include "core/diagnostic.h"
#include "core/own_files.h"

namespace {

// Returns only when no path of the full binary could be started: why not.
std::string exec_full_binary(const char* const argv[]) {
  std::string error;
  for (const std::string& path : own_file_paths(full_binary_name)) {
    execv(path.c_str(), const_cast<char* const*>(argv));
    error += (error.empty() ? "" : "; ") + path + ": " + strerror(errno);
  }
  return error;
}

}  // namespace

bool asks_for_report(int argc, const char* const argv[]) {
  constexpr char report_switch[] = "-report";
  for (int i = 1; i < argc; ++i) {
    if (equal_folded(argv[i], report_switch, sizeof report_switch)) return true;
  }
  return false;
}

void hand_over(const char* const argv[]) {
  diagnose("the full binary cannot be started: " + exec_full_binary(argv));
}

void try_hand_over(const char* const argv[]) {
  exec_full_binary(argv);
}
