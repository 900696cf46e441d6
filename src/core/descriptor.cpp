#include "core/descriptor.h"

#include <unistd.h>

#include <cerrno>

void Descriptor::reset(int fd) {
  if (fd_ >= 0) close(fd_);
  fd_ = fd;
}

bool Descriptor::close_checked() {
  int fd = std::exchange(fd_, -1);
  return fd < 0 || close(fd) == 0;
}

bool Descriptor::flush_checked() const {
  int copy = dup(fd_);
  return copy >= 0 && close(copy) == 0;
}

bool write_all(int fd, const void* data, size_t size) {
  const char* p = static_cast<const char*>(data);
  while (size > 0) {
    ssize_t n = write(fd, p, size);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    p += n;
    size -= static_cast<size_t>(n);
  }
  return true;
}

bool read_all(int fd, void* data, size_t size) {
  char* p = static_cast<char*>(data);
  while (size > 0) {
    ssize_t n = read(fd, p, size);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    p += n;
    size -= static_cast<size_t>(n);
  }
  return true;
}
