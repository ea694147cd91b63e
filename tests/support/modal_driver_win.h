#pragma once
// Drives a modal dialog or message box that another thread of this process shows: waits for
// it, reads it, and answers it, the way an operator would.
#include <windows.h>

#include <functional>
#include <string>
#include <thread>
#include <vector>

namespace stats::testing {

struct SeenDialog {
  bool found = false;
  std::string caption;
  std::vector<std::string> texts;  // window texts of its controls, in Z order
  std::vector<std::wstring> wideTexts;  // the same, as the W functions read them
};

class ModalDriver {
 public:
  // Starts watching the windows of thread `threadId`; when a dialog shows, runs `act` on it
  // (from this driver's own thread) and then presses its button `answer` (IDOK, IDCANCEL).
  ModalDriver(DWORD threadId, int answer, std::function<void(HWND)> act = nullptr,
              DWORD timeoutMs = 10000);
  ~ModalDriver();
  const SeenDialog& seen();  // waits for the driver to finish

 private:
  std::thread thread_;
  SeenDialog seen_;
};

}  // namespace stats::testing
