#pragma once

#include <future>
#include <system_error>

// Big inputs are worked on in two halves at once: the machines this runs on
// have two cores or more, and reading numbers and taking logarithms is most
// of a big file's run. Runs first() here and second() on another thread; an
// exception from either comes out here once both are done. Where no thread
// can be started, runs both here in turn.
template <class First, class Second>
void run_together(First first, Second second) {
  std::future<void> other;
  try {
    other = std::async(std::launch::async, second);
  } catch (const std::system_error&) {
    first();
    second();
    return;
  }
  first();
  other.get();
}
