#pragma once
// The check's heavy steps split their work in two halves for the machine's two cores.
#include <cstddef>
#include <future>
#include <utility>

namespace rdac {

// Below this many QSOs (or logs' QSOs) a second thread costs more than it saves.
inline constexpr size_t kTwoThreadsFrom = 1024;

// `first` on another thread and `second` on this one, for work of `size` items; both here when
// the work is small. Returns when both are done; an exception of either comes out here.
template <class First, class Second>
void onTwoThreads(size_t size, First&& first, Second&& second) {
  if (size < kTwoThreadsFrom) {
    first();
    second();
    return;
  }
  auto other = std::async(std::launch::async, std::forward<First>(first));
  second();
  other.get();
}

}  // namespace rdac
