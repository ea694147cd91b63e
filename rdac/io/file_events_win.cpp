#include "rdac/io/file_events.h"

#include <windows.h>

#include <atomic>

#include "rdac/io/windows_text_win.h"

namespace rdac {
namespace {

std::atomic<bool> stopFlag{false};
HANDLE stopEvent = nullptr;  // wakes a FolderWaiter at once

BOOL WINAPI onConsoleControl(DWORD event) {
  if (event != CTRL_C_EVENT && event != CTRL_BREAK_EVENT && event != CTRL_CLOSE_EVENT) return FALSE;
  stopFlag = true;
  if (stopEvent) SetEvent(stopEvent);
  return TRUE;
}

}  // namespace

std::optional<FileState> regularFileState(const std::string& path) {
  // By name: no handle of ours that a logger's save could trip over.
  WIN32_FILE_ATTRIBUTE_DATA info;
  if (!GetFileAttributesExW(widened(path).c_str(), GetFileExInfoStandard, &info) ||
      (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
    return std::nullopt;
  return FileState{(uint64_t{info.nFileSizeHigh} << 32) | info.nFileSizeLow,
                   static_cast<int64_t>((uint64_t{info.ftLastWriteTime.dwHighDateTime} << 32) |
                                        info.ftLastWriteTime.dwLowDateTime)};
}

void installStopHandlers() {
  if (!stopEvent) stopEvent = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  SetConsoleCtrlHandler(onConsoleControl, TRUE);
}

bool stopRequested() { return stopFlag; }

struct FolderWaiter::Handle {
  HANDLE change = INVALID_HANDLE_VALUE;
};

FolderWaiter::FolderWaiter(const std::string& folder) : handle_(std::make_unique<Handle>()) {
  handle_->change = FindFirstChangeNotificationW(
      widened(folder).c_str(), FALSE,
      FILE_NOTIFY_CHANGE_FILE_NAME | FILE_NOTIFY_CHANGE_SIZE | FILE_NOTIFY_CHANGE_LAST_WRITE);
}

FolderWaiter::~FolderWaiter() {
  if (handle_->change != INVALID_HANDLE_VALUE) FindCloseChangeNotification(handle_->change);
}

void FolderWaiter::wait(double seconds) {
  HANDLE waitFor[2];
  DWORD count = 0;
  if (handle_->change != INVALID_HANDLE_VALUE) waitFor[count++] = handle_->change;
  if (stopEvent) waitFor[count++] = stopEvent;
  const DWORD milliseconds = static_cast<DWORD>(seconds * 1000);
  if (count == 0) {
    Sleep(milliseconds);
    return;
  }
  const DWORD woken = WaitForMultipleObjects(count, waitFor, FALSE, milliseconds);
  if (handle_->change != INVALID_HANDLE_VALUE && woken == WAIT_OBJECT_0) FindNextChangeNotification(handle_->change);
}

}  // namespace rdac
