#pragma once
// The message boxes the plug-in would have shown on the native stand-in, for the tests to read:
// every one since the start of the process or the last clearShownMessages().
#include <string>
#include <vector>

namespace stats {

struct ShownMessage {
  std::string text;
  std::string caption;
  bool hasCaption = false;
};

std::vector<ShownMessage> shownMessages();
void clearShownMessages();

}  // namespace stats
