#pragma once
// Finding and reading the plug-in's windows from the test host, as an operator sees them.
#include <windows.h>

#include <functional>
#include <string>

namespace stats::testing {

struct PluginWindows {
  HWND setup = nullptr;  // the dialog with check box 1119
  HWND rda = nullptr;    // the dialog with list box 1123
  HWND dxcc = nullptr;   // the dialog with panel 1003 and no button 1004
  int setupCount = 0;    // visible setup windows of this process
};

PluginWindows findPluginWindows();
// Polls until the setup window (and, when asked, the RDA and DXCC windows) are visible.
PluginWindows waitForPluginWindows(bool rda = false, bool dxcc = false, DWORD timeoutMs = 5000);
bool waitUntil(const std::function<bool()>& condition, DWORD timeoutMs = 5000);

std::string windowText(HWND window);
std::string itemText(HWND dialog, int id);
bool isChecked(HWND dialog, int id);
bool isEnabled(HWND dialog, int id);
bool isTopmost(HWND window);
RECT windowRect(HWND window);

int threadCount();  // threads of this process

// A fresh current folder with a "Plugins" subfolder holding a one-code district table, removed
// afterwards.
class ScratchFolder {
 public:
  ScratchFolder();
  ~ScratchFolder();
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;
  std::string setting(const std::string& key);  // from Plugins\RDA.ini, "" when missing
  void writeSetting(const std::string& key, const std::string& value);

 private:
  std::string path_;
  std::string previous_;
};

}  // namespace stats::testing
