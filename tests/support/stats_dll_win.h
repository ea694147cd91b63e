#pragma once
// Stats.dll as the logger sees it: loaded by LoadLibrary and called by decorated names.
#include <windows.h>

#include <cstdint>
#include <string>

namespace stats::testing {

struct HostDateTime {  // the host's 16-byte date-time value
  double dt = 0;
  int32_t status = 0;
  int32_t reserved = 0;
};
static_assert(sizeof(HostDateTime) == 16, "host date-time layout");

using CStr = const char*;
using AddDataFn = int(__cdecl*)(CStr, CStr, HostDateTime*, HostDateTime*, HostDateTime*,
                                HostDateTime*, unsigned, unsigned, CStr, CStr, CStr, CStr, CStr,
                                CStr, CStr, CStr, CStr, CStr, CStr, CStr, CStr, CStr, CStr, int,
                                int, int, double, double, CStr, CStr, CStr, CStr, CStr);
using CheckCallFn = int(__cdecl*)(CStr, unsigned, unsigned, CStr, CStr, CStr, CStr, CStr, CStr,
                                  CStr, CStr, CStr, CStr, CStr, int, int, int, double, double,
                                  CStr, CStr, CStr, CStr, CStr, CStr, CStr, char*, char*);
using ResetStatsFn = int(__cdecl*)(CStr, int, CStr, HostDateTime*, HostDateTime*, CStr, CStr,
                                   CStr, CStr, CStr, CStr, CStr, CStr, CStr, CStr, int, int, int,
                                   double, double, CStr, CStr, CStr);
using GetResultFn = CStr(__cdecl*)(int*);
using GetSetNameFn = CStr(__cdecl*)(int);
using NoArgIntFn = int(__cdecl*)();
using ExchgCountFn = int(__cdecl*)(CStr, CStr, CStr);
using IsValidExchgFn = int(__cdecl*)(CStr, CStr, CStr, CStr, int, int, int);
using SetVersionFn = unsigned long(__cdecl*)(CStr);
using SetupSetFn = void(__cdecl*)();
using RunCommandFn = CStr(__cdecl*)(int, CStr);

// Decorated names, as the export table publishes them.
namespace decorated {
constexpr CStr AddData0 = "?AddData0@@YAHPBD0PAVCOleDateTime@@111II000000000000000HHHNN00000@Z";
constexpr CStr CheckCallFunc0 = "?CheckCallFunc0@@YAHPBDII00000000000HHHNN0000000PAD1@Z";
constexpr CStr GetNumberOfSets = "?GetNumberOfSets@@YAHXZ";
constexpr CStr GetResult0 = "?GetResult0@@YAPBDPAH@Z";
constexpr CStr GetSetName = "?GetSetName@@YAPBDH@Z";
constexpr CStr RemoveData0 = "?RemoveData0@@YAHPBD0PAVCOleDateTime@@111II000000000000000HHHNN00000@Z";
constexpr CStr ResetStats0 = "?ResetStats0@@YAHPBDH0PAVCOleDateTime@@10000000000HHHNN000@Z";
constexpr CStr RunCommand0 = "?RunCommand0@@YAPBDHPBD@Z";
constexpr CStr SetupSet0 = "?SetupSet0@@YAXXZ";
constexpr CStr StatsGetExchgCount0 = "?StatsGetExchgCount0@@YAHPBD00@Z";
constexpr CStr StatsIsValidExchg0 = "?StatsIsValidExchg0@@YAHPBD000HHH@Z";
constexpr CStr setVersion = "?setVersion@@YAKPBD@Z";
}  // namespace decorated

class StatsDll {
 public:
  StatsDll() : module_(LoadLibraryA("Stats.dll")) {}
  ~StatsDll() { unload(); }
  StatsDll(const StatsDll&) = delete;
  StatsDll& operator=(const StatsDll&) = delete;

  HMODULE module() const { return module_; }
  bool unload() {
    if (!module_) return false;
    const bool freed = FreeLibrary(module_) != 0;
    module_ = nullptr;
    return freed;
  }
  template <class Fn>
  Fn get(CStr name) const {
    return reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(module_, name)));
  }

 private:
  HMODULE module_;
};

}  // namespace stats::testing
