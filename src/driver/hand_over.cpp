#include "driver/hand_over.h"

#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <string>

#include "core/diagnostic.h"
#include "core/own_files.h"

void hand_over(const char* const argv[]) {
  std::string error;
  for (const std::string& path : own_file_paths(full_binary_name)) {
    execv(path.c_str(), const_cast<char* const*>(argv));
    error += (error.empty() ? "" : "; ") + path + ": " + strerror(errno);
  }
  diagnose("the full binary cannot be started: " + error);
}
