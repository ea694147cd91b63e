#pragma once
// The firewall every export and every callback of the window system stands behind: nothing
// thrown inside may reach the host, whose frames this toolchain cannot unwind through.
namespace stats {

template <class Result, class Work>
Result guarded(Result neutral, Work&& work) noexcept {
  try {
    return work();
  } catch (...) {
    return neutral;
  }
}

}  // namespace stats
