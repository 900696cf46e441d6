#include "output/output_target.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <string_view>
#include <vector>

#include "output/sticky_folder.h"

namespace {

constexpr int max_links = 40;  // as many as the kernel follows in one path

// Adds the names of `path` to `pending`, which is worked from its back. The
// empty name after a trailing slash is kept: such a path names a folder.
void push_names(std::string_view path, std::vector<std::string>& pending) {
  std::vector<std::string> names;
  for (size_t start = 0;;) {
    size_t slash = path.find('/', start);
    names.emplace_back(path.substr(start, slash - start));
    if (slash == std::string_view::npos) break;
    start = slash + 1;
  }
  pending.insert(pending.end(), names.rbegin(), names.rend());
}

// An absolute path starts again at the root folder.
bool restart_at_root(std::string_view& path, Descriptor& folder) {
  if (path.empty() || path[0] != '/') return true;
  while (!path.empty() && path[0] == '/') path.remove_prefix(1);
  folder.reset(open("/", O_PATH | O_DIRECTORY | O_CLOEXEC));
  return folder.valid();
}

int follow_link(OutputTarget& t, int link, const struct stat& link_stat,
                std::vector<std::string>& pending) {
  struct stat folder;
  if (fstat(t.folder.get(), &folder) != 0 || !may_follow_link(folder, link_stat)) return -1;
  char target[PATH_MAX];
  ssize_t n = readlinkat(link, "", target, sizeof target);
  if (n <= 0 || static_cast<size_t>(n) == sizeof target) return -1;
  std::string_view rest(target, static_cast<size_t>(n));
  if (!restart_at_root(rest, t.folder)) return -1;
  push_names(rest, pending);
  return 0;
}

// /dev/stdout, /dev/fd/N and /proc/self/fd/N end at a link in this
// process's own descriptor folder: they name a descriptor it already has.
int own_descriptor(int folder, const std::string& name) {
  struct stat here, own;
  if (fstat(folder, &here) != 0 || stat("/proc/self/fd", &own) != 0) return -1;
  if (here.st_dev != own.st_dev || here.st_ino != own.st_ino) return -1;
  if (name.empty() || name.size() > 9 ||
      name.find_first_not_of("0123456789") != std::string::npos) {
    return -1;
  }
  return atoi(name.c_str());
}

int found(OutputTarget& t, std::string&& name, const struct stat* file) {
  if (fstat(t.folder.get(), &t.folder_stat) != 0) return -1;
  t.name = std::move(name);
  t.exists = file != nullptr;
  if (file != nullptr) t.file_stat = *file;
  return 0;
}

// One name of the path: a folder to go into, a link to follow, or the last
// name, which is the file.
int step(OutputTarget& t, std::string&& name, std::vector<std::string>& pending, int& links) {
  bool last = pending.empty();
  if (name.empty() || name == ".") return last ? -1 : 0;
  if (name == "..") {
    if (last) return -1;
    t.folder.reset(openat(t.folder.get(), "..", O_PATH | O_DIRECTORY | O_CLOEXEC));
    return t.folder.valid() ? 0 : -1;
  }
  Descriptor entry(openat(t.folder.get(), name.c_str(), O_PATH | O_NOFOLLOW | O_CLOEXEC));
  struct stat st;
  if (!entry.valid()) return last && errno == ENOENT ? found(t, std::move(name), nullptr) : -1;
  if (fstat(entry.get(), &st) != 0) return -1;
  if (S_ISLNK(st.st_mode)) {
    if (last && (t.own_fd = own_descriptor(t.folder.get(), name)) >= 0) return 0;
    if (++links > max_links) return -1;
    return follow_link(t, entry.get(), st, pending);
  }
  if (last) return found(t, std::move(name), &st);
  if (!S_ISDIR(st.st_mode)) return -1;
  t.folder = std::move(entry);
  return 0;
}

}  // namespace

int find_output_target(const char* path, OutputTarget& target) {
  std::string_view rest = path;
  target.folder.reset(open(".", O_PATH | O_DIRECTORY | O_CLOEXEC));
  if (!target.folder.valid() || !restart_at_root(rest, target.folder)) return -1;
  std::vector<std::string> pending;
  push_names(rest, pending);
  int links = 0;
  while (!pending.empty()) {
    std::string name = std::move(pending.back());
    pending.pop_back();
    bool last = pending.empty();
    if (step(target, std::move(name), pending, links) < 0) return -1;
    if (last && pending.empty()) return 0;
  }
  return -1;
}
