#pragma once
// Native stand-in only: what the plug-in would have shown, for the tests and the
// command-line host to read.
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

int postedRefreshCount();  // refresh requests posted while the stand-in's windows were open

}  // namespace stats
