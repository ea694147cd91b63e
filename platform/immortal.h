#pragma once
// An object that lives until the process ends: built on first use in static storage and never
// destroyed, so no destructor runs at unload or exit while another thread may still use it,
// and nothing is left on the heap for a leak checker to find once the library is unloaded.
#include <new>
#include <utility>

namespace stats {

template <class T>
class Immortal {
 public:
  template <class... Args>
  explicit Immortal(Args&&... args) {
    new (storage_) T(std::forward<Args>(args)...);
  }
  T& get() { return *std::launder(reinterpret_cast<T*>(storage_)); }

 private:
  alignas(T) unsigned char storage_[sizeof(T)];
};

}  // namespace stats
