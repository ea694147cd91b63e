// The thread-local-storage indexes the statically linked thread runtime takes, given back when
// the library is unloaded.
//
// The runtime takes one index the first time this image uses it (the start-up registration of
// the unwind tables already does) and never frees it. A host that loads and unloads the library
// again and again (a logger reloads its plug-ins when the operator switches contests) would run
// out of the process's indexes after about a thousand cycles. The runtime reaches TlsAlloc
// through its import slot; this file defines that slot for the whole image, so every index
// taken here is known and freed after the runtime's own unload code has run.
#include <windows.h>

#include <atomic>

#include "plugin/runtime_tls_win.h"

namespace {

constexpr int kMaxIndexes = 8;  // the runtime takes one
std::atomic<DWORD> takenIndexes[kMaxIndexes];
std::atomic<int> takenCount{0};

DWORD WINAPI tlsAllocRemembered() {
  // No function-local static here: its guard would call the runtime, which calls this.
  using TlsAllocFn = DWORD(WINAPI*)();
  const auto system = reinterpret_cast<TlsAllocFn>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("kernel32.dll"), "TlsAlloc")));
  if (!system) return TLS_OUT_OF_INDEXES;
  const DWORD index = system();
  if (index != TLS_OUT_OF_INDEXES) {
    const int slot = takenCount.fetch_add(1);
    if (slot < kMaxIndexes) takenIndexes[slot] = index;
  }
  return index;
}

}  // namespace

// The import slot of kernel32!TlsAlloc for this image: the linker takes this definition instead
// of the import library's, so the runtime's calls land above.
extern "C" DWORD(WINAPI* const tlsAllocImportSlot)() __asm__("__imp__TlsAlloc@0");
extern "C" DWORD(WINAPI* const tlsAllocImportSlot)() = &tlsAllocRemembered;

namespace stats {

void releaseRuntimeTlsIndexes() {
  const int count = takenCount.exchange(0);
  for (int i = 0; i < count && i < kMaxIndexes; ++i) TlsFree(takenIndexes[i]);
}

}  // namespace stats
