#pragma once

#include <sys/stat.h>
#include <sys/types.h>

#include <span>

// Which file a path led to: the device and inode of a regular file. A pipe
// or device has none (`known` is false) and is never the same file as
// another.
struct FileIdentity {
  bool known = false;
  dev_t device = 0;
  ino_t inode = 0;
};

inline FileIdentity identity_of(const struct stat& st) {
  if (!S_ISREG(st.st_mode)) return {};
  return {true, st.st_dev, st.st_ino};
}

inline bool is_same_file(const FileIdentity& file, const struct stat& st) {
  return file.known && S_ISREG(st.st_mode) && file.device == st.st_dev && file.inode == st.st_ino;
}

inline bool is_one_of(std::span<const FileIdentity> files, const struct stat& st) {
  for (const FileIdentity& file : files) {
    if (is_same_file(file, st)) return true;
  }
  return false;
}
