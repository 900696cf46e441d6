#pragma once

#include <sys/stat.h>

#include <string>

#include "core/descriptor.h"

// Where OUT= leads. The path is walked one name at a time, as the kernel
// walks it, so that every link on the way is checked before it is followed.
struct OutputTarget {
  Descriptor folder;  // the folder the file is, or is to be, in
  struct stat folder_stat;
  std::string name;  // the file's name in that folder
  bool exists = false;
  struct stat file_stat;  // the file there, when it exists
  int own_fd = -1;        // the descriptor of this process that the path named (/dev/stdout)
};

// Returns 0, or -1 when the path cannot lead to a file to write: a folder on
// the way is missing, the path names a folder, its links loop or are more
// than the kernel follows, or a link is one the sticky-folder rules refuse.
int find_output_target(const char* path, OutputTarget& target);
