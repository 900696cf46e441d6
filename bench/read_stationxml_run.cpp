// Reads a StationXML file the way a run will and prints the channel epochs
// kept, for timing the reader on large inventories (bench/large_stationxml.sh).
// Usage: read_stationxml_run FILE NET.STA.LOC.CHA [TIME] [--text]
// --text maps the file and reads it from memory instead of streaming it.

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "metadata/read_stationxml.h"

namespace {

int read_mapped(const char* path, const ChannelFilter& filter, std::vector<ChannelResponse>& out,
                std::string& why) {
  int fd = open(path, O_RDONLY);
  struct stat st;
  if (fd < 0 || fstat(fd, &st) != 0) {
    why = std::string(path) + ": " + strerror(errno);
    return -1;
  }
  size_t size = static_cast<size_t>(st.st_size);
  void* map = mmap(nullptr, size, PROT_READ, MAP_PRIVATE, fd, 0);
  close(fd);
  if (map == MAP_FAILED) {
    why = std::string(path) + ": " + strerror(errno);
    return -1;
  }
  int status = read_stationxml_text({static_cast<const char*>(map), size}, path, filter, out, why);
  munmap(map, size);
  return status;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) {
    fprintf(stderr, "usage: %s FILE NET.STA.LOC.CHA [TIME] [--text]\n", argv[0]);
    return 2;
  }
  ChannelFilter filter;
  if (!parse_channel_pattern(argv[2], filter)) return 2;
  bool text = false;
  for (int i = 3; i < argc; ++i) {
    if (strcmp(argv[i], "--text") == 0) {
      text = true;
    } else {
      filter.time = normal_time(argv[i]);
    }
  }
  std::vector<ChannelResponse> out;
  std::string why;
  int status =
      text ? read_mapped(argv[1], filter, out, why) : read_stationxml(argv[1], filter, out, why);
  if (status != 0) {
    fprintf(stderr, "%s\n", why.c_str());
    return 1;
  }
  for (const ChannelResponse& c : out) {
    printf("%s.%s.%s.%s %s %zu stages\n", c.network.c_str(), c.station.c_str(), c.location.c_str(),
           c.channel.c_str(), c.start.c_str(), c.stages.size());
  }
  return 0;
}
