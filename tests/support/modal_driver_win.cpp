#include "tests/support/modal_driver_win.h"

namespace stats::testing {
namespace {

std::string windowText(HWND window) {
  char text[1024] = {};
  GetWindowTextA(window, text, sizeof text);
  return text;
}

BOOL CALLBACK takeVisibleDialog(HWND window, LPARAM param) {
  char cls[64] = {};
  GetClassNameA(window, cls, sizeof cls);
  if (IsWindowVisible(window) && std::string(cls) == "#32770") {
    *reinterpret_cast<HWND*>(param) = window;
    return FALSE;
  }
  return TRUE;
}

HWND findDialog(DWORD threadId) {
  HWND found = nullptr;
  EnumThreadWindows(threadId, takeVisibleDialog, reinterpret_cast<LPARAM>(&found));
  return found;
}

}  // namespace

ModalDriver::ModalDriver(DWORD threadId, int answer, std::function<void(HWND)> act,
                         DWORD timeoutMs) {
  thread_ = std::thread([this, threadId, answer, act, timeoutMs] {
    const DWORD start = GetTickCount();
    HWND dialog = nullptr;
    while (!(dialog = findDialog(threadId)) && GetTickCount() - start < timeoutMs) Sleep(10);
    if (!dialog) return;
    seen_.found = true;
    seen_.caption = windowText(dialog);
    for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
      seen_.texts.push_back(windowText(child));
      wchar_t wide[1024] = {};
      GetWindowTextW(child, wide, 1024);
      seen_.wideTexts.push_back(wide);
    }
    if (act) act(dialog);
    HWND button = GetDlgItem(dialog, answer);
    if (button && answer == IDOK)
      SendMessageA(button, BM_CLICK, 0, 0);
    else
      PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(answer, BN_CLICKED), reinterpret_cast<LPARAM>(button));
  });
}

ModalDriver::~ModalDriver() {
  if (thread_.joinable()) thread_.join();
}

const SeenDialog& ModalDriver::seen() {
  if (thread_.joinable()) thread_.join();
  return seen_;
}

}  // namespace stats::testing
