#include "rdac/score/plugin_library.h"

#include <windows.h>

#include <atomic>
#include <ostream>
#include <thread>

#include "rdac/io/console_output_win.h"
#include "rdac/io/windows_text_win.h"

namespace rdac {
namespace {

// The logger finds the exports by their decorated names; rdac.exe calls the same ones.
const char kResetStats0[] = "?ResetStats0@@YAHPBDH0PAVCOleDateTime@@10000000000HHHNN000@Z";
const char kAddData0[] = "?AddData0@@YAHPBD0PAVCOleDateTime@@111II000000000000000HHHNN00000@Z";
const char kCheckCallFunc0[] = "?CheckCallFunc0@@YAHPBDII00000000000HHHNN0000000PAD1@Z";
const char kGetResult0[] = "?GetResult0@@YAPBDPAH@Z";
const char kSetVersion[] = "?setVersion@@YAKPBD@Z";
const char kRunCommand0[] = "?RunCommand0@@YAPBDHPBD@Z";

template <class Fn>
bool lookUp(void* handle, const char* name, Fn& target, std::string& error) {
  target = reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(static_cast<HMODULE>(handle), name)));
  if (!target) error = std::string("the library has no export ") + name;
  return target != nullptr;
}

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

std::unique_ptr<PluginLibrary> PluginLibrary::open(const std::string& path, std::string& error) {
  // The path is UTF-16 from here on: a folder the ANSI code page cannot spell still loads.
  HMODULE handle = LoadLibraryW(widened(path).c_str());
  static DialogAnswerer answerer;  // for the life of the process: the exports are called from this thread
  if (!handle) {
    error = systemErrorText(GetLastError());
    return nullptr;
  }
  std::unique_ptr<PluginLibrary> library(new PluginLibrary(handle));
  if (!library->bind(error)) return nullptr;
  return library;
}

PluginLibrary::~PluginLibrary() {
  // The plug-in's window thread must be gone before its code is unmapped.
  if (runCommand_) runCommand_(0, "HIDEINFO");
  FreeLibrary(static_cast<HMODULE>(handle_));
}

bool PluginLibrary::bind(std::string& error) {
  return lookUp(handle_, kResetStats0, resetStats_, error) && lookUp(handle_, kAddData0, addData_, error) &&
         lookUp(handle_, kCheckCallFunc0, checkCall_, error) && lookUp(handle_, kGetResult0, getResult_, error) &&
         lookUp(handle_, kSetVersion, setVersion_, error) && lookUp(handle_, kRunCommand0, runCommand_, error);
}

}  // namespace rdac
