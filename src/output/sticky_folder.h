#pragma once

#include <sys/stat.h>
#include <unistd.h>

// In a sticky folder that anyone may write (/tmp), another user can plant a
// link or a file under the name a run is going to write. The kernel guards
// opens there (protected_symlinks, protected_fifos and protected_regular, at
// 1); these are the same rules, kept whatever the machine's settings, and
// for root too.
inline bool is_shared_sticky(const struct stat& folder) {
  return (folder.st_mode & (S_ISVTX | S_IWOTH)) == (S_ISVTX | S_IWOTH);
}

// A link there is followed only by its owner, or when the folder's owner
// owns it too.
inline bool may_follow_link(const struct stat& folder, const struct stat& link) {
  return !is_shared_sticky(folder) || link.st_uid == geteuid() || link.st_uid == folder.st_uid;
}

// An existing regular file or FIFO there is opened for creating only by its
// owner, or when the folder's owner owns it.
inline bool may_open_existing(const struct stat& folder, const struct stat& file) {
  if (!S_ISREG(file.st_mode) && !S_ISFIFO(file.st_mode)) return true;
  return !is_shared_sticky(folder) || file.st_uid == geteuid() || file.st_uid == folder.st_uid;
}
