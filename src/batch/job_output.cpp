#include "batch/job_output.h"

bool Output::meets(const Output& other) const {
  if (unknown || other.unknown) return true;
  if (!place.empty() && place == other.place) return true;
  return file.known && other.file.known && file.device == other.file.device &&
         file.inode == other.file.inode;
}

Output find_output(const std::string& path, OutputTarget& t) {
  if (path.empty() || path == "-") return {};
  Output o;
  if (find_output_target(path.c_str(), t) < 0) {
    o.unknown = true;
    return o;
  }
  if (t.own_fd >= 0) return o;
  o.place = std::to_string(t.folder_stat.st_dev) + ":" + std::to_string(t.folder_stat.st_ino) +
            "/" + t.name;
  if (t.exists) o.file = identity_of(t.file_stat);
  return o;
}
