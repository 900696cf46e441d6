#include "input/read_in.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <new>

#include "core/last_error.h"

namespace {

constexpr char ctrl_z = 0x1A;

// Closes the descriptor on every way out.
struct FileDescriptor {
  int fd;
  ~FileDescriptor() {
    if (fd >= 0) close(fd);
  }
};

bool map_file(int fd, size_t length, FileText& text) {
  void* address = mmap(nullptr, length, PROT_READ, MAP_PRIVATE | MAP_POPULATE, fd, 0);
  if (address == MAP_FAILED) return false;
  madvise(address, length, MADV_SEQUENTIAL);
  text.adopt_mapping(address, length);
  return true;
}

// Reads what cannot be mapped (pipes, terminals, devices, empty-looking
// /proc files) until the end of its data; short reads are continued.
// Returns false on a read error; throws std::bad_alloc when memory runs out.
bool read_stream(int fd, FileText& text) {
  size_t capacity = 1 << 16;
  size_t size = 0;
  char* buffer = static_cast<char*>(malloc(capacity));
  if (buffer == nullptr) throw std::bad_alloc();
  for (;;) {
    if (size == capacity) {
      char* grown = static_cast<char*>(realloc(buffer, capacity * 2));
      if (grown == nullptr) {
        free(buffer);
        throw std::bad_alloc();
      }
      buffer = grown;
      capacity *= 2;
    }
    ssize_t n = read(fd, buffer + size, capacity - size);
    if (n == 0) break;
    if (n < 0) {
      if (errno == EINTR) continue;
      free(buffer);
      return false;
    }
    size += static_cast<size_t>(n);
    // Nothing after a Ctrl-Z or a NUL byte counts: stop reading there, so
    // that an endless device such as /dev/zero ends the run too.
    const char* chunk = buffer + size - n;
    if (memchr(chunk, ctrl_z, n) != nullptr || memchr(chunk, '\0', n) != nullptr) break;
  }
  text.adopt_buffer(buffer, size);
  return true;
}

int fail(const char* message, int result) {
  last_error = message;
  return result;
}

int load(int fd, const struct stat& st, FileText& text) {
  bool mapped = S_ISREG(st.st_mode) && st.st_size > 0 && map_file(fd, st.st_size, text);
  if (!mapped && !read_stream(fd, text)) {
    return fail("read_in(): Unable to read file content", -2);
  }
  std::string_view data = text.view();
  const char* stop = static_cast<const char*>(memchr(data.data(), ctrl_z, data.size()));
  size_t n = stop ? static_cast<size_t>(stop - data.data()) : data.size();
  if (n == 0) return fail("read_in(): Unable to read file content", -2);
  const char* nul = static_cast<const char*>(memchr(data.data(), '\0', n));
  text.cut(nul ? static_cast<size_t>(nul - data.data()) : n);
  return 0;
}

}  // namespace

int read_in(const char* path, FileText& text) {
  FileDescriptor file{open(path, O_RDONLY | O_CLOEXEC)};
  struct stat st;
  if (file.fd < 0 || fstat(file.fd, &st) != 0 || S_ISDIR(st.st_mode)) {
    return fail("read_in(): File open error", -1);
  }
  try {
    return load(file.fd, st, text);
  } catch (...) {
    text = FileText();
    return fail("read_in(): File read error", -3);
  }
}
