// The whole run, as main makes it, on a command line chosen by the first 32
// bytes: the frequency range, size, sub-grids, scales, -fit, -phase,
// -unwrap, PNG, legend names and corner, the amplitude and phase ranges,
// -diff and TOL=, and up to four inputs. The rest is the
// response text; form feeds cut it into the files of IN=, IN2=, ... The
// picture goes to /dev/null, which is written directly like any device.

#include <sys/mman.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "core/descriptor.h"
#include "core/inputs.h"
#include "driver/run.h"

namespace {

constexpr size_t option_bytes = 32;

// An in-memory file holding `text`, named by a path read_in can open.
struct MemoryFile {
  Descriptor fd;
  std::string path;
};

MemoryFile memory_file(std::string_view text) {
  MemoryFile f{Descriptor(memfd_create("response", MFD_CLOEXEC)), ""};
  if (f.fd.valid() && write_all(f.fd.get(), text.data(), text.size())) {
    f.path = "/proc/self/fd/" + std::to_string(f.fd.get());
  }
  return f;
}

std::string number_pair(const uint8_t* d) {
  double lo, hi;
  memcpy(&lo, d, sizeof lo);
  memcpy(&hi, d + sizeof lo, sizeof hi);
  char text[64];
  snprintf(text, sizeof text, "%.17g;%.17g", lo, hi);
  return text;
}

int32_t int_at(const uint8_t* d) {
  int32_t v;
  memcpy(&v, d, sizeof v);
  return v;
}

// Sizes stay small so that each input runs quickly; everything else is free.
std::vector<std::string> arguments(const uint8_t* d) {
  uint8_t flags = d[26];
  std::vector<std::string> args{"afcdraw", "OUT=/dev/null", "CAPTION=Fuzz", "DIMX=x", "DIMY=y"};
  args.push_back("SIZE=" + std::to_string(640 + d[16] % 200) + ";" +
                 std::to_string(480 + d[17] % 200));
  args.push_back("SUB_GRIDX=" + std::to_string(int_at(d + 18)));
  args.push_back("SUB_GRIDY=" + std::to_string(int_at(d + 22)));
  if (!(flags & 1)) args.push_back("-linX");
  if (!(flags & 2)) args.push_back("-linY");
  if (flags & 4) args.push_back("-fit");
  if (flags & 8) args.push_back("-phase");
  if (flags & 16) args.push_back("-unwrap");
  if (flags & 32) args.push_back("FORMAT=PNG");
  if (flags & 64) args.push_back("X_AXIS=" + number_pair(d));
  for (int i = 0; i < max_inputs && (flags & 128); ++i) {
    args.push_back(std::string(input_keys[i].name_key) + std::string(d[27 + i] % 100, 'N'));
  }
  uint8_t more = d[31];
  if (more & 1) args.push_back("-diff");
  if (more & 2) args.push_back("TOL=1,5");
  if (more & 4) args.push_back("Y_AXIS=" + number_pair(d));
  if (more & 8) args.push_back("P_AXIS=-200;200");
  if (more & 16) args.push_back("LEGEND=br");
  return args;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  (void)freopen("/dev/null", "w", stdout);  // the message lines and help texts
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < option_bytes) return 0;
  std::vector<std::string> args = arguments(data);
  std::string_view text(reinterpret_cast<const char*>(data + option_bytes), size - option_bytes);
  std::vector<MemoryFile> files;
  for (int i = 0; i < max_inputs && (i == 0 || !text.empty()); ++i) {
    size_t cut = i + 1 < max_inputs ? text.find('\f') : std::string_view::npos;
    files.push_back(memory_file(text.substr(0, cut)));
    if (files.back().path.empty()) return 0;
    args.push_back(input_keys[i].in_key + files.back().path);
    text = cut == std::string_view::npos ? std::string_view() : text.substr(cut + 1);
  }
  std::vector<const char*> argv;
  for (const std::string& a : args) argv.push_back(a.c_str());
  run(static_cast<int>(argv.size()), argv.data());
  return 0;
}
