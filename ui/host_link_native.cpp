#include <mutex>

#include "ui/host_link.h"
#include "ui/host_link_native.h"

namespace stats {
namespace {

std::mutex& factoryMutex() {
  static std::mutex mutex;
  return mutex;
}

std::function<std::unique_ptr<HostLink>()>& factory() {
  static std::function<std::unique_ptr<HostLink>()> make;
  return make;
}

}  // namespace

void setHostLinkFactory(std::function<std::unique_ptr<HostLink>()> make) {
  std::lock_guard<std::mutex> lock(factoryMutex());
  factory() = std::move(make);
}

std::unique_ptr<HostLink> connectHostLink() {
  std::function<std::unique_ptr<HostLink>()> make;
  {
    std::lock_guard<std::mutex> lock(factoryMutex());
    make = factory();
  }
  return make ? make() : nullptr;
}

}  // namespace stats
