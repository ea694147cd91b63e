#include "rdac/score/plugin_library.h"

#include <windows.h>

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

}  // namespace

std::unique_ptr<PluginLibrary> PluginLibrary::open(const std::string& path, std::string& error) {
  // The path is UTF-16 from here on: a folder the ANSI code page cannot spell still loads.
  HMODULE handle = LoadLibraryW(widened(path).c_str());
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
