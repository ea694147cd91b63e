#pragma once
// Native stand-in only: the message boxes the plug-in would have shown, for the tests to read.
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
