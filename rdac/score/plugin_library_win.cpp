#include "rdac/score/plugin_library.h"

#include <windows.h>

#include <atomic>
#include <ostream>
#include <thread>

#include "rdac/io/console_output_win.h"
#include "rdac/io/windows_text_win.h"

namespace rdac {
namespace {

std::wstring windowText(HWND window) {
  std::wstring text(static_cast<size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
  text.resize(static_cast<size_t>(GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
  return text;
}

// In the logger, the plug-in's modal dialogs (the Cabrillo header, its message boxes) wait for
// the operator. rdac has given the header's values already and has no one at the screen to
// answer: it takes each dialog the plug-in opens on the thread that calls it as the native
// build's stand-ins do, confirming what it shows, and says a message box's text on standard
// error. The plug-in's windows, on a thread of their own, are left alone.
class DialogAnswerer {
 public:
  DialogAnswerer() : callingThread_(GetCurrentThreadId()), thread_([this] { answer(); }) {}
  ~DialogAnswerer() {
    stop_ = true;
    thread_.join();
  }

 private:
  const DWORD callingThread_;
  std::atomic<bool> stop_{false};
  std::thread thread_;

  void answer() {
    while (!stop_) {
      EnumThreadWindows(callingThread_, &DialogAnswerer::answerOne, 0);
      Sleep(20);
    }
  }

  static BOOL CALLBACK countOne(HWND, LPARAM count) {
    ++*reinterpret_cast<int*>(count);
    return TRUE;
  }

  static BOOL CALLBACK answerOne(HWND window, LPARAM) {
    wchar_t className[16] = {};
    GetClassNameW(window, className, 16);
    if (std::wstring(className) != L"#32770" || !IsWindowVisible(window)) return TRUE;
    // A message box (an icon, its text in the static control 0xFFFF, a button or two) is said.
    int children = 0;
    EnumChildWindows(window, &DialogAnswerer::countOne, reinterpret_cast<LPARAM>(&children));
    HWND text = GetDlgItem(window, 0xFFFF);
    if (text && children <= 4) {
      ConsoleOutput errBuffer(GetStdHandle(STD_ERROR_HANDLE));
      std::ostream(&errBuffer) << "rdac: the plug-in says (" << narrowed(windowText(window))
                               << "): " << narrowed(windowText(text)) << '\n';
    }
    SendMessageW(window, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(window, IDOK)));
    return TRUE;
  }
};

}  // namespace

}  // namespace rdac

namespace rdac::library_calls {

// The logger finds the exports by their decorated names; rdac.exe calls the same ones.
const ExportNames kExportNames{
    "?ResetStats0@@YAHPBDH0PAVCOleDateTime@@10000000000HHHNN000@Z",
    "?AddData0@@YAHPBD0PAVCOleDateTime@@111II000000000000000HHHNN00000@Z",
    "?CheckCallFunc0@@YAHPBDII00000000000HHHNN0000000PAD1@Z",
    "?GetResult0@@YAPBDPAH@Z",
    "?setVersion@@YAKPBD@Z",
    "?RunCommand0@@YAPBDHPBD@Z",
};

void* load(const std::string& path, std::string& error) {
  static DialogAnswerer answerer;  // for the life of the process: the exports are called from this thread
  // The path is UTF-16 from here on: a folder the ANSI code page cannot spell still loads.
  HMODULE handle = LoadLibraryW(widened(path).c_str());
  if (!handle) error = systemErrorText(GetLastError());
  return handle;
}

void* find(void* library, const char* name) {
  return reinterpret_cast<void*>(GetProcAddress(static_cast<HMODULE>(library), name));
}

void unload(void* library) { FreeLibrary(static_cast<HMODULE>(library)); }

}  // namespace rdac::library_calls
