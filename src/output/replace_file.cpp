#include "output/replace_file.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/random.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>

#include "core/fail.h"
#include "core/messages.h"

namespace {

constexpr int name_tries = 100;

// What a replaced file keeps of its mode: the permission bits and the
// sticky bit, not set-user-ID and set-group-ID, which must not pass to a
// file another run wrote.
constexpr mode_t kept_mode_bits = S_ISVTX | S_IRWXU | S_IRWXG | S_IRWXO;
constexpr mode_t set_id_bits = S_ISUID | S_ISGID;

int create_failed() {
  return fail(message::output_not_created, -1);
}

int write_failed() {
  return fail(message::output_not_written, -1);
}

// Holds off the signals that end a run from a terminal or a scheduler while
// a temporary file has a name, so that it is renamed or removed before they
// take effect. (SIGKILL cannot be held off: an unnamed file is safe from it
// until it is named for its rename over a file there.)
class HoldSignals {
 public:
  HoldSignals() {
    sigset_t ending;
    sigemptyset(&ending);
    for (int s : {SIGINT, SIGTERM, SIGHUP, SIGQUIT}) sigaddset(&ending, s);
    sigprocmask(SIG_BLOCK, &ending, &old_);
  }
  ~HoldSignals() { sigprocmask(SIG_SETMASK, &old_, nullptr); }
  HoldSignals(const HoldSignals&) = delete;
  HoldSignals& operator=(const HoldSignals&) = delete;

 private:
  sigset_t old_;
};

std::string temporary_name() {
  static constexpr char letters[] =
      "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
  unsigned char bytes[6];
  if (getrandom(bytes, sizeof bytes, GRND_NONBLOCK) != sizeof bytes) {
    auto t = std::chrono::steady_clock::now().time_since_epoch().count() ^ getpid();
    for (unsigned char& b : bytes) b = static_cast<unsigned char>(t >>= 5);
  }
  std::string name = ".afcdraw-";
  for (unsigned char b : bytes) name += letters[b % (sizeof letters - 1)];
  return name;
}

// The folder refuses new entries: the file is then written in place.
bool folder_refused(int error) {
  return error == EACCES || error == EPERM || error == EROFS;
}

// Old kernels and some file systems have no unnamed temporary files.
bool unnamed_unsupported(int error) {
  return error == EOPNOTSUPP || error == EISDIR || error == EINVAL;
}

// Gives the unnamed file `fd` the name `name` in `folder`; fails with EEXIST
// if the name is taken.
bool link_unnamed(int fd, int folder, const std::string& name) {
  std::string self = "/proc/self/fd/" + std::to_string(fd);
  if (linkat(AT_FDCWD, self.c_str(), folder, name.c_str(), AT_SYMLINK_FOLLOW) == 0) return true;
  return errno == ENOENT && linkat(fd, "", folder, name.c_str(), AT_EMPTY_PATH) == 0;
}

bool keep_owner_and_mode(int fd, const struct stat& old) {
  if (fchown(fd, old.st_uid, old.st_gid) != 0) {
    // Not permitted for an ordinary user: the new file is then theirs.
  }
  return fchmod(fd, old.st_mode & kept_mode_bits) == 0;
}

// As a plain writer does; what was there is lost if the write fails.
int write_in_place(Descriptor& out, const struct stat& old, const void* data, size_t size) {
  if ((old.st_mode & set_id_bits) != 0) fchmod(out.get(), old.st_mode & kept_mode_bits);
  bool ok = ftruncate(out.get(), 0) == 0 && write_all(out.get(), data, size);
  return out.close_checked() && ok ? 0 : write_failed();
}

// Renames the complete temporary file over `name`, or removes it.
int rename_over(int folder, const std::string& temp, const std::string& name,
                const struct stat* old, Descriptor* out, const void* data, size_t size) {
  if (renameat(folder, temp.c_str(), folder, name.c_str()) == 0) return 0;
  int error = errno;
  unlinkat(folder, temp.c_str(), 0);
  if (out != nullptr && folder_refused(error)) return write_in_place(*out, *old, data, size);
  return fail(message::output_not_replaced, -1);
}

// Where there are no unnamed files: a named temporary file, with the ending
// signals held off from its creation to its rename or removal.
int replace_by_named(int folder, const std::string& name, const struct stat* old, Descriptor* out,
                     const void* data, size_t size) {
  HoldSignals hold;
  std::string temp;
  Descriptor fd;
  for (int i = 0; i < name_tries && !fd.valid(); ++i) {
    temp = temporary_name();
    fd.reset(openat(folder, temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC,
                    old != nullptr ? 0600 : 0666));
    if (!fd.valid() && errno != EEXIST) break;
  }
  if (!fd.valid()) {
    if (out != nullptr && folder_refused(errno)) return write_in_place(*out, *old, data, size);
    return create_failed();
  }
  bool ok = old == nullptr || keep_owner_and_mode(fd.get(), *old);
  ok = write_all(fd.get(), data, size) && ok;
  if (!fd.close_checked() || !ok) {
    unlinkat(folder, temp.c_str(), 0);
    return write_failed();
  }
  return rename_over(folder, temp, name, old, out, data, size);
}

// Names the complete unnamed file `fd` and renames it over `name`. `old`
// and `out` are the file there and its descriptor for writing; both are
// null for a file that appeared after the path was looked at.
int link_over(int folder, const std::string& name, const struct stat* old, Descriptor& fd,
              Descriptor* out, const void* data, size_t size) {
  HoldSignals hold;
  for (int i = 0; i < name_tries; ++i) {
    std::string temp = temporary_name();
    if (link_unnamed(fd.get(), folder, temp)) {
      return rename_over(folder, temp, name, old, out, data, size);
    }
    if (errno != EEXIST) break;
  }
  return replace_by_named(folder, name, old, out, data, size);
}

// The complete content of the unnamed file `fd`, flushed: file systems that
// write late (NFS, FUSE) report a failed write when a descriptor is closed,
// and that must be known before the file is published.
bool write_unnamed(Descriptor& fd, const void* data, size_t size) {
  return write_all(fd.get(), data, size) && fd.flush_checked();
}

}  // namespace

int create_file(int folder, const std::string& name, const void* data, size_t size) {
  Descriptor fd(openat(folder, ".", O_TMPFILE | O_WRONLY | O_CLOEXEC, 0666));
  if (!fd.valid()) {
    if (unnamed_unsupported(errno))
      return replace_by_named(folder, name, nullptr, nullptr, data, size);
    return create_failed();
  }
  if (!write_unnamed(fd, data, size)) return write_failed();
  if (link_unnamed(fd.get(), folder, name)) return 0;
  // Another run created the file since the path was looked at: the later
  // run wins, as it would had it started later.
  if (errno == EEXIST) return link_over(folder, name, nullptr, fd, nullptr, data, size);
  return replace_by_named(folder, name, nullptr, nullptr, data, size);
}

int replace_file(int folder, const std::string& name, const struct stat& old, Descriptor& out,
                 const void* data, size_t size) {
  Descriptor fd(openat(folder, ".", O_TMPFILE | O_WRONLY | O_CLOEXEC, 0600));
  if (!fd.valid()) {
    if (folder_refused(errno)) return write_in_place(out, old, data, size);
    if (unnamed_unsupported(errno)) return replace_by_named(folder, name, &old, &out, data, size);
    return create_failed();
  }
  if (!keep_owner_and_mode(fd.get(), old) || !write_unnamed(fd, data, size)) return write_failed();
  return link_over(folder, name, &old, fd, &out, data, size);
}
