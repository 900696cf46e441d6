// The command-line parser on argument lists made from the input bytes:
// arguments are separated by NUL bytes.

#include <cstdint>
#include <string>
#include <vector>

#include "cmdline/parse_cmd.h"

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
  for (const std::string& a : args) argv.push_back(a.c_str());
  PlotOptions options{};
  Warnings warnings;
  parse_cmd(static_cast<int>(argv.size()), argv.data(), options, warnings);
  return 0;
}
