// The library's unwind tables, registered with the unwinder linked into the library.
//
// This toolchain unwinds with DWARF tables that must be registered at start-up. Its start-up
// object registers them with the shared libgcc when the process has already loaded one (a host
// that runs another plug-in built with this toolchain has), and with the module's own unwinder
// only otherwise. The library throws and catches with its own, statically linked unwinder,
// which would then know none of its frames: the first exception, even one caught two frames
// up, would end the host in std::terminate. So straight after that registration, before any
// other constructor runs, the tables are registered with our own unwinder when it does not
// know them. They stay registered: the unwinder's lists live in this image and go with it.
// The registration with the shared libgcc is left as it is; the start-up object takes it back
// when the library is unloaded.
#include <windows.h>

#include <cstdint>

extern "C" IMAGE_DOS_HEADER __ImageBase;

extern "C" {
void __register_frame_info(const void* tables, void* object);
const void* _Unwind_Find_FDE(void* pc, void* bases);
}

namespace {

// The unwinder's record of one registered table (six words in this version, room for more).
void* unwindRecord[16];

// Lies inside this module's unwind tables, which the linker gathers into one section.
const char insideUnwindTables[] __attribute__((used, section(".eh_frame"), aligned(4))) = {};

const void* unwindTablesStart() {
  const auto* image = reinterpret_cast<const unsigned char*>(&__ImageBase);
  const auto* headers = reinterpret_cast<const IMAGE_NT_HEADERS*>(image + __ImageBase.e_lfanew);
  const uintptr_t probe = reinterpret_cast<uintptr_t>(insideUnwindTables) - reinterpret_cast<uintptr_t>(image);
  const IMAGE_SECTION_HEADER* section = IMAGE_FIRST_SECTION(headers);
  for (WORD i = 0; i < headers->FileHeader.NumberOfSections; ++i, ++section) {
    if (probe >= section->VirtualAddress && probe < section->VirtualAddress + section->Misc.VirtualSize)
      return image + section->VirtualAddress;
  }
  return nullptr;
}

__attribute__((constructor(101))) void registerUnwindTablesWithOwnUnwinder() {
  void* bases[3];
  if (_Unwind_Find_FDE(reinterpret_cast<void*>(&registerUnwindTablesWithOwnUnwinder), bases)) return;
  if (const void* tables = unwindTablesStart()) __register_frame_info(tables, unwindRecord);
}

}  // namespace
