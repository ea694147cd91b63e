#include "rdac/score/plugin_library.h"

#include <dlfcn.h>

namespace rdac::library_calls {

// libStats.so exports the undecorated names only.
const ExportNames kExportNames{"ResetStats0", "AddData0", "CheckCall0", "GetResult0", "setVersion", "RunCommand0"};

void* load(const std::string& path, std::string& error) {
  void* handle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (!handle) {
    const char* why = dlerror();
    error = why ? why : "cannot be loaded";
  }
  return handle;
}

void* find(void* library, const char* name) { return dlsym(library, name); }

void unload(void* library) { dlclose(library); }

}  // namespace rdac::library_calls
