// The library's load and unload (the application object CTestApp): at unload the
// window thread is stopped before the code it runs goes away. The design is explained in
// ui/window_port_win.cpp.
#include <windows.h>

#include "platform/file_append.h"
#include "ui/window_thread_win.h"

extern "C" BOOL WINAPI DllMain(HINSTANCE, DWORD reason, LPVOID reserved) {
  if (reason != DLL_PROCESS_DETACH) return TRUE;
  try {
    if (reserved)  // process exit: the window thread is gone already, nothing may wait
      stats::forgetWindowsAtProcessExit();
    else {  // FreeLibrary: close the windows, bounded wait
      stats::stopWindowsForUnload();
      stats::closeAppendedFile();  // the operator can move or delete the bad-QSO file again
    }
  } catch (...) {
  }
  return TRUE;
}
