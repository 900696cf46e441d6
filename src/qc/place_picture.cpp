#include "qc/place_picture.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "core/last_error.h"
#include "output/write_output.h"

namespace {

constexpr int unreadable = -1;
constexpr int not_placed = -2;
constexpr mode_t folder_mode = 0777;  // less the umask, as mkdir(1) makes it

int failed(int status, const std::string& path, int error) {
  last_error = path + ": " + strerror(error);
  return status;
}

// The folders of `name` under `outdir`, made where missing.
int make_folders(const std::string& outdir, const std::string& name) {
  for (size_t slash = name.find('/'); slash != std::string::npos;
       slash = name.find('/', slash + 1)) {
    std::string folder = outdir + "/" + name.substr(0, slash);
    if (mkdir(folder.c_str(), folder_mode) != 0 && errno != EEXIST) {
      return failed(not_placed, folder, errno);
    }
  }
  return 0;
}

// A link made beside the target, then renamed over it. Where both are the
// same file already, rename leaves the link beside, which goes too.
bool linked(const std::string& from, const std::string& to) {
  std::string beside = to + ".merging";
  unlink(beside.c_str());
  if (linkat(AT_FDCWD, from.c_str(), AT_FDCWD, beside.c_str(), AT_SYMLINK_FOLLOW) != 0) {
    return false;
  }
  bool renamed = rename(beside.c_str(), to.c_str()) == 0;
  unlink(beside.c_str());
  return renamed;
}

}  // namespace

int read_bytes(const std::string& path, std::string& bytes) {
  int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return errno;
  bytes.clear();
  char buffer[1 << 16];
  for (;;) {
    ssize_t got = read(fd, buffer, sizeof buffer);
    if (got == 0) break;
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) {
      int error = errno;
      close(fd);
      return error;
    }
    bytes.append(buffer, static_cast<size_t>(got));
  }
  close(fd);
  return 0;
}

bool picture_name_inside(const std::string& name) {
  if (name.empty() || name[0] == '/') return false;
  size_t begin = 0;
  for (;;) {
    size_t end = name.find('/', begin);
    std::string part = name.substr(begin, end - begin);
    if (part.empty() || part == "." || part == "..") return false;
    if (end == std::string::npos) return true;
    begin = end + 1;
  }
}

int place_picture(const std::string& shard, const std::string& outdir, const std::string& name) {
  std::string from = shard + "/" + name;
  std::string to = outdir + "/" + name;
  struct stat st;
  if (stat(from.c_str(), &st) != 0) return failed(unreadable, from, errno);
  if (!S_ISREG(st.st_mode)) return failed(unreadable, from, EINVAL);
  if (make_folders(outdir, name) < 0) return not_placed;
  if (linked(from, to)) return 0;
  std::string bytes;
  if (int error = read_bytes(from, bytes); error != 0) return failed(unreadable, from, error);
  if (write_output(to.c_str(), bytes.data(), bytes.size()) < 0) {
    last_error = to + ": " + last_error;
    return not_placed;
  }
  return 0;
}
