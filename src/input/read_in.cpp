#include "input/read_in.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <new>
#include <utility>

#include "core/descriptor.h"
#include "core/fail.h"
#include "core/messages.h"
#include "input/truncation_guard.h"

namespace {

constexpr char ctrl_z = 0x1A;
// A file is read in pieces of this size. Each piece is searched for the end
// of the text while it is still in the cache, and reading stops at the first
// piece holding a Ctrl-Z or NUL byte: a file of zero bytes costs one piece,
// whatever its size.
constexpr size_t piece_size = size_t{1} << 20;
// A regular file up to this size is copied onto the heap instead: that
// costs less than mapping it, and unmapping it again, which on a machine of
// several cores stops the others to flush their address caches.
constexpr size_t copied_up_to = size_t{256} << 10;
// What a pipe or device is given first; its buffer doubles as it fills.
constexpr size_t stream_start = size_t{1} << 16;
constexpr size_t none = SIZE_MAX;

// What cannot be mapped (a pipe, a terminal, a device, a file the system
// will not map) is read into an anonymous mapping. Pages never written cost
// nothing, so a sized file's buffer is reserved at its full size, and a
// pipe's grows without copying.
struct ReadBuffer {
  char* data = nullptr;
  size_t capacity = 0;
  size_t size = 0;
  size_t data_end = none;  // the first Ctrl-Z
  size_t text_end = none;  // the first NUL
  ~ReadBuffer() {
    if (data != nullptr) munmap(data, capacity);
  }
};

void grow(ReadBuffer& b, size_t capacity) {
  void* p = b.data == nullptr ? mmap(nullptr, capacity, PROT_READ | PROT_WRITE,
                                     MAP_PRIVATE | MAP_ANONYMOUS | MAP_NORESERVE, -1, 0)
                              : mremap(b.data, b.capacity, capacity, MREMAP_MAYMOVE);
  if (p == MAP_FAILED) throw std::bad_alloc();
  madvise(p, capacity, MADV_HUGEPAGE);
  b.data = static_cast<char*>(p);
  b.capacity = capacity;
}

// Where the text ends in the bytes [from, from + n) of `data`: the first
// Ctrl-Z ends the data, the first NUL the text. True if either was found.
bool find_text_ends(const char* data, size_t from, size_t n, size_t& data_end, size_t& text_end) {
  const char* z = static_cast<const char*>(memchr(data + from, ctrl_z, n));
  const char* nul = static_cast<const char*>(memchr(data + from, '\0', n));
  if (z != nullptr) data_end = static_cast<size_t>(z - data);
  if (nul != nullptr) text_end = static_cast<size_t>(nul - data);
  return z != nullptr || nul != nullptr;
}

// Notes a Ctrl-Z or NUL byte in the bytes read from `from` on; true if found.
bool find_ends(ReadBuffer& b, size_t from) {
  return find_text_ends(b.data, from, b.size - from, b.data_end, b.text_end);
}

// Reads up to `limit` bytes, short reads continued, and stops early at the
// end of the data or after the first piece holding a Ctrl-Z or NUL byte.
// Returns the last read's result: 0 at the end of the data, -1 on an error.
// Throws std::bad_alloc when memory runs out.
ssize_t read_pieces(int fd, size_t limit, ReadBuffer& b) {
  ssize_t n = 1;
  while (b.size < limit) {
    if (b.size == b.capacity) grow(b, b.capacity * 2);
    size_t want = std::min({piece_size, b.capacity - b.size, limit - b.size});
    // Faulting the pages in at once costs less than one fault each during the read.
    madvise(b.data + b.size, want, MADV_POPULATE_WRITE);
    n = read(fd, b.data + b.size, want);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) break;
    size_t from = b.size;
    b.size += static_cast<size_t>(n);
    if (find_ends(b, from)) break;
  }
  return n;
}

// Nothing before the first Ctrl-Z byte: no system error to report.
int no_data() {
  errno = 0;
  return fail(message::unable_to_read, -2);
}

// A regular file that ends before the size it had when opened was truncated
// by someone else while it was read.
bool shrunk(int fd, size_t size) {
  struct stat now;
  return fstat(fd, &now) != 0 || static_cast<size_t>(now.st_size) < size;
}

// A regular file is mapped, not copied: its pages are the ones the system
// already holds in its cache, where a copy would need as many fresh ones.
// They are brought in a piece at a time and searched for the end of the
// text, so a file of zero bytes costs one piece whatever its size. A file
// cut shorter meanwhile fails here, or later when its points are read
// (guard_against_truncation). Returns 1 when the file cannot be mapped.
int load_mapped(int fd, size_t size, FileText& text) {
  void* address = mmap(nullptr, size, PROT_READ, MAP_PRIVATE, fd, 0);
  if (address == MAP_FAILED) return 1;
  guard_against_truncation();
  FileText mapped;
  mapped.adopt_mapping(address, size);
  madvise(address, size, MADV_SEQUENTIAL);
  const char* data = static_cast<const char*>(address);
  size_t data_end = none, text_end = none;
  for (size_t from = 0; from < size; from += piece_size) {
    size_t n = std::min(piece_size, size - from);
    // One call brings the piece in, where the search would fault page by page.
    if (madvise(static_cast<char*>(address) + from, n, MADV_POPULATE_READ) != 0 &&
        errno == EFAULT) {
      return fail(message::file_read_error, -3);
    }
    if (find_text_ends(data, from, n, data_end, text_end)) break;
  }
  data_end = std::min(data_end, size);
  if (data_end == 0) return no_data();
  mapped.cut(std::min(text_end, data_end));
  text = std::move(mapped);
  return 0;
}

// A small regular file is read whole into a heap buffer. Returns as load_mapped does.
int load_copied(int fd, size_t size, FileText& text) {
  FileText copy;
  char* buffer = static_cast<char*>(malloc(size));
  if (buffer == nullptr) throw std::bad_alloc();
  copy.adopt_buffer(buffer, size);
  size_t got = 0;
  while (got < size) {
    ssize_t n = read(fd, buffer + got, size - got);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return fail(message::unable_to_read, -2);
    if (n == 0) break;
    got += static_cast<size_t>(n);
  }
  if (got < size && shrunk(fd, size)) return fail(message::file_read_error, -3);
  size_t data_end = none, text_end = none;
  find_text_ends(buffer, 0, got, data_end, text_end);
  data_end = std::min(data_end, got);
  if (data_end == 0) return no_data();
  copy.cut(std::min(text_end, data_end));
  text = std::move(copy);
  return 0;
}

// A regular file is read up to the size it has now; pipes, terminals,
// devices and empty-looking /proc files until the end of their data.
int load(int fd, const struct stat& st, FileText& text) {
  bool sized = S_ISREG(st.st_mode) && st.st_size > 0;
  if (sized && static_cast<size_t>(st.st_size) <= copied_up_to) {
    return load_copied(fd, static_cast<size_t>(st.st_size), text);
  }
  if (sized) {
    int mapped = load_mapped(fd, static_cast<size_t>(st.st_size), text);
    if (mapped <= 0) return mapped;
  }
  size_t limit = sized ? static_cast<size_t>(st.st_size) : none;
  ReadBuffer b;
  grow(b, sized ? limit : stream_start);
  ssize_t last = read_pieces(fd, limit, b);
  if (last < 0) return fail(message::unable_to_read, -2);
  if (last == 0 && b.size < limit && sized && shrunk(fd, limit)) {
    return fail(message::file_read_error, -3);
  }
  size_t data_end = std::min(b.data_end, b.size);
  if (data_end == 0) return no_data();
  text.adopt_mapping(b.data, b.capacity);
  b.data = nullptr;
  text.cut(std::min(b.text_end, data_end));
  return 0;
}

}  // namespace

int read_in(const char* path, FileText& text, FileIdentity* source) {
  Descriptor file(open(path, O_RDONLY | O_CLOEXEC));
  struct stat st;
  if (!file.valid() || fstat(file.get(), &st) != 0 || S_ISDIR(st.st_mode)) {
    if (file.valid() && S_ISDIR(st.st_mode)) errno = EISDIR;
    return fail(message::file_open_error, -1);
  }
  if (source != nullptr) *source = identity_of(st);
  try {
    return load(file.get(), st, text);
  } catch (...) {
    text = FileText();
    return fail(message::file_read_error, -3);
  }
}
