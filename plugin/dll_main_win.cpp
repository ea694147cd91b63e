// The library's load and unload: at unload the window thread is stopped before the code it
// runs goes away. The design is explained in ui/window_thread_win.cpp.
#include <windows.h>

#include "platform/file_append.h"
#include "platform/float_control.h"
#include "plugin/state.h"
#include "plugin/runtime_tls_win.h"
#include "ui/window_thread_win.h"

extern "C" BOOL WINAPI DllMainCRTStartup(HANDLE, DWORD, LPVOID);

// The library's entry point, in front of the C runtime's. At process exit (DLL_PROCESS_DETACH
// with a non-null reserved argument) every other thread has been ended wherever it was, maybe
// holding one of our locks or the heap's, so nothing of ours runs then: not DllMain, not the
// runtime's static destructors and exit functions, which would free memory and wait for locks.
// The system reclaims the memory and closes the handles. At FreeLibrary, once the runtime's
// unload code has run, the thread runtime's TLS indexes are given back. The runtime's start-up
// and our DllMain run on the host's thread, under our floating-point words like every export.
extern "C" BOOL WINAPI statsDllEntry(HANDLE module, DWORD reason, LPVOID reserved) {
  if (reason == DLL_PROCESS_DETACH && reserved) return TRUE;
  const stats::CallerFloatControl callerWords;
  const BOOL result = DllMainCRTStartup(module, reason, reserved);
  if (reason == DLL_PROCESS_DETACH) stats::releaseRuntimeTlsIndexes();
  return result;
}

extern "C" BOOL WINAPI DllMain(HINSTANCE, DWORD reason, LPVOID reserved) {
  if (reason != DLL_PROCESS_DETACH || reserved) return TRUE;
  try {  // FreeLibrary: close the windows, bounded wait
    if (stats::stopWindowsForUnload()) stats::releasePluginState();
    stats::closeAppendedFile();  // the operator can move or delete the bad-QSO file again
  } catch (...) {
  }
  return TRUE;
}
