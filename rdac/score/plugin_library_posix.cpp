#include "rdac/score/plugin_library.h"

#include <dlfcn.h>

namespace rdac {
namespace {

template <class Fn>
bool lookUp(void* handle, const char* name, Fn& target, std::string& error) {
  target = reinterpret_cast<Fn>(dlsym(handle, name));
  if (!target) error = std::string("the library has no export ") + name;
  return target != nullptr;
}

}  // namespace

std::unique_ptr<PluginLibrary> PluginLibrary::open(const std::string& path, std::string& error) {
  void* handle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (!handle) {
    const char* why = dlerror();
    error = why ? why : "cannot be loaded";
    return nullptr;
  }
  std::unique_ptr<PluginLibrary> library(new PluginLibrary(handle));
  if (!library->bind(error)) return nullptr;
  return library;
}

PluginLibrary::~PluginLibrary() {
  // The plug-in's window thread must be gone before its code is unmapped.
  if (runCommand_) runCommand_(0, "HIDEINFO");
  dlclose(handle_);
}

bool PluginLibrary::bind(std::string& error) {
  return lookUp(handle_, "ResetStats0", resetStats_, error) &&
         lookUp(handle_, "AddData0", addData_, error) &&
         lookUp(handle_, "CheckCall0", checkCall_, error) &&
         lookUp(handle_, "GetResult0", getResult_, error) &&
         lookUp(handle_, "setVersion", setVersion_, error) &&
         lookUp(handle_, "RunCommand0", runCommand_, error);
}

}  // namespace rdac
