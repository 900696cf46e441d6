// The command-line parser on argument lists made from the input bytes:
// arguments are separated by NUL bytes.

#include <cstdio>
#include <string>
#include <vector>

#include "cmdline/parse_cmd.h"

namespace {

// A help switch ends the process by design; such lists are not run.
bool is_help(const std::string& arg) {
  static const char* switches[] = {"--help", "-help", "/help", "help", "--h",
                                   "-h",     "/h",    "--?",   "-?",   "/?"};
  for (const char* s : switches) {
    std::string folded;
    for (char c : arg) folded += (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c;
    if (folded == s) return true;
  }
  return false;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  (void)freopen("/dev/null", "w", stdout);  // the help text, printed on failures
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::vector<std::string> args{"afcdraw"};
  std::string current;
  for (size_t i = 0; i < size; ++i) {
    if (data[i] == 0) {
      args.push_back(current);
      current.clear();
    } else {
      current += static_cast<char>(data[i]);
    }
  }
  args.push_back(current);
  std::vector<const char*> argv;
  for (const std::string& a : args) {
    if (is_help(a)) return 0;
    argv.push_back(a.c_str());
  }
  PlotOptions options{};
  parse_cmd(static_cast<int>(argv.size()), argv.data(), options);
  return 0;
}
