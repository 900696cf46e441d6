#include "output/write_output.h"

#include <fcntl.h>
#include <sys/stat.h>

#include "core/descriptor.h"
#include "core/fail.h"
#include "core/messages.h"
#include "output/output_target.h"
#include "output/replace_file.h"
#include "output/sticky_folder.h"

namespace {

int create_failed() {
  return fail(message::output_not_created, -1);
}

int same_as_input() {
  return fail(message::output_is_input, -1);
}

// Written where the descriptor stands: `>> log` appends, a pipe is fed.
int write_own_descriptor(int fd, std::span<const FileIdentity> inputs, const void* data,
                         size_t size) {
  int flags = fcntl(fd, F_GETFL);
  struct stat st;
  if (flags < 0 || (flags & O_ACCMODE) == O_RDONLY || fstat(fd, &st) != 0) return create_failed();
  if (is_one_of(inputs, st)) return same_as_input();
  return write_all(fd, data, size) ? 0 : fail(message::output_not_written, -1);
}

// Opening the file for writing asks the kernel what the user may do with it
// (mode bits, ACLs, read-only mounts). It must still be the file looked at.
Descriptor open_existing(const OutputTarget& t) {
  int flags = O_WRONLY | O_NOFOLLOW | O_NOCTTY | O_CLOEXEC;
  if (S_ISREG(t.file_stat.st_mode)) flags |= O_NONBLOCK;
  Descriptor out(openat(t.folder.get(), t.name.c_str(), flags));
  struct stat st;
  if (out.valid() && (fstat(out.get(), &st) != 0 || st.st_dev != t.file_stat.st_dev ||
                      st.st_ino != t.file_stat.st_ino)) {
    out.reset();
  }
  return out;
}

int write_through(Descriptor& out, const void* data, size_t size) {
  bool ok = write_all(out.get(), data, size);
  return out.close_checked() && ok ? 0 : fail(message::output_not_written, -1);
}

}  // namespace

int write_output(const char* path, const void* data, size_t size,
                 std::span<const FileIdentity> inputs) {
  OutputTarget t;
  if (find_output_target(path, t) < 0) return create_failed();
  if (t.own_fd >= 0) return write_own_descriptor(t.own_fd, inputs, data, size);
  if (!t.exists) return create_file(t.folder.get(), t.name, data, size);
  if (is_one_of(inputs, t.file_stat)) return same_as_input();
  if (!may_open_existing(t.folder_stat, t.file_stat)) return create_failed();
  Descriptor out = open_existing(t);
  if (!out.valid()) return create_failed();
  if (!S_ISREG(t.file_stat.st_mode)) return write_through(out, data, size);
  return replace_file(t.folder.get(), t.name, t.file_stat, out, data, size);
}
