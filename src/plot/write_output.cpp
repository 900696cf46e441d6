#include "plot/write_output.h"

#include <fcntl.h>
#include <linux/magic.h>
#include <sys/stat.h>
#include <sys/vfs.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <string>

#include "core/last_error.h"

namespace {

int fail(const char* message) {
  last_error = message;
  return -1;
}

std::string folder_of(const std::string& path) {
  size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : path.substr(0, slash);
}

bool in_procfs(const std::string& path) {
  struct statfs fs;
  return statfs(folder_of(path).c_str(), &fs) == 0 && fs.f_type == PROC_SUPER_MAGIC;
}

// Follows symbolic links to the path they finally name. A link that lives in
// /proc (/dev/stdout leads to /proc/self/fd/1) names a file this process
// already has open, such as the shell's redirection: it must be written in
// place, so `in_place` is set and the link itself is returned.
std::string resolve_links(const char* path, bool& in_place) {
  std::string target = path;
  for (int hops = 0; hops < 40; ++hops) {
    struct stat st;
    if (lstat(target.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) break;
    if (in_procfs(target)) {
      in_place = true;
      break;
    }
    char link[PATH_MAX];
    ssize_t n = readlink(target.c_str(), link, sizeof link - 1);
    if (n <= 0) break;
    std::string next(link, static_cast<size_t>(n));
    target = next[0] == '/' ? next : folder_of(target) + "/" + next;
  }
  return target;
}

bool write_all(int fd, const char* data, size_t size) {
  while (size > 0) {
    ssize_t n = write(fd, data, size);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    data += n;
    size -= static_cast<size_t>(n);
  }
  return true;
}

// Write errors on Linux may show only at close: both are checked.
bool write_and_close(int fd, const void* data, size_t size) {
  bool written = write_all(fd, static_cast<const char*>(data), size);
  return close(fd) == 0 && written;
}

int write_in_place(const std::string& path, const void* data, size_t size) {
  int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
  if (fd < 0) return fail("draw_gif(): Unable to create output file");
  if (!write_and_close(fd, data, size)) return fail("draw_gif(): Unable to write output file");
  return 0;
}

mode_t new_file_mode() {
  mode_t mask = umask(0);
  umask(mask);
  return 0666 & ~mask;
}

int replace_file(const std::string& target, const struct stat* existing, const void* data,
                 size_t size) {
  std::string temp = folder_of(target) + "/.afcdraw-XXXXXX";
  int fd = mkstemp(temp.data());
  if (fd < 0) return fail("draw_gif(): Unable to create output file");
  if (existing != nullptr && fchown(fd, existing->st_uid, existing->st_gid) != 0) {
    // Not permitted for an ordinary user: the new file is then theirs.
  }
  bool ok = fchmod(fd, existing ? existing->st_mode & 07777 : new_file_mode()) == 0;
  ok = write_and_close(fd, data, size) && ok;
  if (!ok) {
    unlink(temp.c_str());
    return fail("draw_gif(): Unable to write output file");
  }
  if (rename(temp.c_str(), target.c_str()) != 0) {
    unlink(temp.c_str());
    return fail("draw_gif(): Unable to replace output file");
  }
  return 0;
}

}  // namespace

int write_output(const char* path, const void* data, size_t size) {
  bool in_place = false;
  std::string target = resolve_links(path, in_place);
  struct stat st;
  bool exists = stat(target.c_str(), &st) == 0;
  if (in_place || (exists && !S_ISREG(st.st_mode))) return write_in_place(target, data, size);
  return replace_file(target, exists ? &st : nullptr, data, size);
}
