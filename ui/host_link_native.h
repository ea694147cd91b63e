#pragma once
// Native stand-in only: the host link that each new window thread connects to, which a test
// injects; an empty factory (the default) or a factory returning null means no host.
#include <functional>
#include <memory>

#include "ui/host_link.h"

namespace stats {

void setHostLinkFactory(std::function<std::unique_ptr<HostLink>()> factory);

}  // namespace stats
