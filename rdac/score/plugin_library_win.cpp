#include "rdac/score/plugin_library.h"

#include <windows.h>

#include <ostream>

#include "rdac/io/console_output_win.h"
#include "rdac/io/messages.h"
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
// answer: it confirms each dialog the plug-in opens on the thread that calls it, as the native
// build's stand-ins do, and says a message box's text on standard error, once however often the
// plug-in repeats it (an export run shows one for each result asked for). The plug-in's own
// windows, on a thread of their own, are left alone.
HHOOK dialogHook = nullptr;
std::wstring lastSaid;

BOOL CALLBACK countChild(HWND, LPARAM count) {
  ++*reinterpret_cast<int*>(count);
  return TRUE;
}

void say(HWND messageBox) {
  // A message box: an icon, its text in the static control 0xFFFF, a button or two.
  int children = 0;
  EnumChildWindows(messageBox, countChild, reinterpret_cast<LPARAM>(&children));
  HWND text = GetDlgItem(messageBox, 0xFFFF);
  if (!text || children > 4) return;
  const std::wstring words = windowText(messageBox) + L"\n" + windowText(text);
  if (words == lastSaid) return;
  lastSaid = words;
  ConsoleOutput errBuffer(GetStdHandle(STD_ERROR_HANDLE));
  const std::string caption = narrowed(windowText(messageBox)), said = narrowed(windowText(text));
  std::ostream(&errBuffer) << "rdac: " << tr("the plug-in says ({1}): {2}", {caption, said}) << '\n';
}

LRESULT CALLBACK answerDialogs(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HCBT_ACTIVATE) {
    HWND window = reinterpret_cast<HWND>(wParam);
    wchar_t className[16] = {};
    GetClassNameW(window, className, 16);
    if (std::wstring(className) == L"#32770") {
      try {  // nothing unwinds through the system's window code
        say(window);
      } catch (...) {
      }
      PostMessageW(window, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(window, IDOK)));
    }
  }
  return CallNextHookEx(dialogHook, code, wParam, lParam);
}

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
  // For the life of the process: the exports are called from this thread.
  if (!dialogHook) dialogHook = SetWindowsHookExW(WH_CBT, answerDialogs, nullptr, GetCurrentThreadId());
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
