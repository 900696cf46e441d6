#include "core/own_files.h"

#include <unistd.h>

#include <climits>

namespace {

// The folder of the running binary.
std::string binary_folder() {
  char path[PATH_MAX];
  ssize_t n = readlink("/proc/self/exe", path, sizeof path - 1);
  if (n <= 0) return ".";
  std::string folder(path, static_cast<size_t>(n));
  return folder.substr(0, folder.find_last_of('/'));
}

}  // namespace

std::array<std::string, 2> own_file_paths(const char* name) {
  std::string folder = binary_folder();
  return {folder + "/" + name, folder + "/" + AFCDRAW_MODULE_DIR + "/" + name};
}
