#include "input/truncation_guard.h"

#include <signal.h>
#include <sys/mman.h>
#include <unistd.h>

#include <cstdint>

namespace {

// Only async-signal-safe system calls here. The handler keeps no state: the
// faulting address says which page is missing.
void map_zero_page(int, siginfo_t* info, void*) {
  auto page = static_cast<uintptr_t>(sysconf(_SC_PAGESIZE));
  void* at = reinterpret_cast<void*>(reinterpret_cast<uintptr_t>(info->si_addr) & ~(page - 1));
  if (info->si_code == BUS_ADRERR &&
      mmap(at, page, PROT_READ, MAP_PRIVATE | MAP_ANONYMOUS | MAP_FIXED, -1, 0) != MAP_FAILED) {
    return;  // the read is made again and sees zero bytes
  }
  signal(SIGBUS, SIG_DFL);  // the fault comes again and ends the process
}

}  // namespace

void guard_against_truncation() {
  struct sigaction action {};
  action.sa_sigaction = map_zero_page;
  action.sa_flags = SA_SIGINFO;
  sigemptyset(&action.sa_mask);
  sigaction(SIGBUS, &action, nullptr);
}
