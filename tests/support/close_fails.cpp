// Preloaded into a run (LD_PRELOAD) to act as a file system that writes
// late and reports a failed write only when a descriptor of the file is
// closed, as NFS does: closing a regular file open for writing closes it
// and then fails with EIO.

#include <dlfcn.h>
#include <fcntl.h>
#include <sys/stat.h>

#include <cerrno>

extern "C" int close(int fd) {
  using Close = int (*)(int);
  static Close real_close = reinterpret_cast<Close>(dlsym(RTLD_NEXT, "close"));
  int flags = fcntl(fd, F_GETFL);
  struct stat st;
  bool written =
      flags >= 0 && (flags & O_ACCMODE) != O_RDONLY && fstat(fd, &st) == 0 && S_ISREG(st.st_mode);
  int result = real_close(fd);
  if (written && result == 0) {
    errno = EIO;
    return -1;
  }
  return result;
}
