// The fast binary's entry point, before the C library starts: a run with
// the -report switch is handed to the full binary at once. A static C
// library's start costs about 0.5 ms on a virtual machine (each of its
// hundred or so `cpuid` instructions traps to the hypervisor, 4.5 us
// apiece), which a report run pays again in the full binary. Where no full
// binary can be started, the C library starts as usual and main() tries
// again, and says why it cannot.
//
// Nothing here may need the C library: no thread pointer (so no stack
// protector), no heap, and no call the library resolves when it starts
// (memcpy, strlen), which the compiler could make of a loop; CMake builds
// this file without either. Only system calls, and no call out of this
// file: an inline function of a header may be linked as another file's
// copy, built with a stack protector.

#include <linux/limits.h>
#include <sys/syscall.h>

#include <cstddef>

#include "driver/hand_over.h"

namespace {

constexpr char report_switch[] = "-report";
constexpr char own_binary[] = "/proc/self/exe";
constexpr char module_dir[] = AFCDRAW_MODULE_DIR;

long system_call(long number, long a, long b, long c) {
  long result;
  asm volatile("syscall"
               : "=a"(result)
               : "a"(number), "D"(a), "S"(b), "d"(c)
               : "rcx", "r11", "memory");
  return result;
}

// ASCII letters in either case, as asks_for_report() compares.
bool is_report_switch(const char* arg) {
  for (size_t i = 0; i < sizeof report_switch; ++i) {
    char c = arg[i] >= 'A' && arg[i] <= 'Z' ? static_cast<char>(arg[i] - 'A' + 'a') : arg[i];
    if (c != report_switch[i]) return false;
  }
  return true;
}

// Appends `text` at `end` if it fits before `limit`: the new end, or null.
char* append(char* end, const char* limit, const char* text) {
  for (; *text != '\0'; ++text) {
    if (end == limit) return nullptr;
    *end++ = *text;
  }
  return end;
}

// Tries the full binary in `folder` (which ends at `end`), then in the
// module folder below it, as own_file_paths() names them.
void exec_full_binary(char* folder, char* end, char** argv, char** envp) {
  const char* limit = folder + PATH_MAX - 1;
  const char* const folders_below[] = {"", module_dir};
  for (const char* below : folders_below) {
    char* name = append(end, limit, "/");
    if (name != nullptr && below[0] != '\0') name = append(name, limit, below);
    if (name != nullptr && below[0] != '\0') name = append(name, limit, "/");
    if (name != nullptr) name = append(name, limit, full_binary_name);
    if (name == nullptr) return;
    *name = '\0';
    system_call(SYS_execve, reinterpret_cast<long>(folder), reinterpret_cast<long>(argv),
                reinterpret_cast<long>(envp));
  }
}

}  // namespace

// `stack` is the process's first stack: argc, the arguments and a null,
// then the environment.
extern "C" [[gnu::used]] void early_hand_over(long* stack) {
  long argc = stack[0];
  char** argv = reinterpret_cast<char**>(stack + 1);
  char** envp = argv + argc + 1;
  bool report = false;
  for (long i = 1; i < argc && !report; ++i) report = is_report_switch(argv[i]);
  if (!report) return;
  char path[PATH_MAX];
  long n = system_call(SYS_readlink, reinterpret_cast<long>(own_binary),
                       reinterpret_cast<long>(path), sizeof path - 1);
  if (n <= 0) return;
  char* slash = path + n - 1;
  while (slash > path && *slash != '/') --slash;
  if (*slash == '/') exec_full_binary(path, slash, argv, envp);
}

// The entry: the stack as the kernel left it to early_hand_over, then, on
// its return, to the C library's own entry, with %rdx (a function for
// atexit from a dynamic loader) cleared as the kernel clears it.
asm(R"(
  .text
  .globl afcdraw_entry
  .type afcdraw_entry, @function
afcdraw_entry:
  mov %rsp, %rdi
  call early_hand_over
  xor %edx, %edx
  jmp _start
  .size afcdraw_entry, .-afcdraw_entry
)");
