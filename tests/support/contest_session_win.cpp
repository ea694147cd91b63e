#include "tests/support/contest_session_win.h"

#include <oleauto.h>
#include <windows.h>

namespace stats::testing {
namespace {

struct Qso {
  const char* call;
  const char* prefix;
  const char* continent;
  const char* band;
  unsigned freqHz;
  const char* mode;
  int hour, minute;
  const char* exch;
};

const Qso kLog[] = {
    {"UA9AA", "UA9", "AS", "20m", 14025000, "CW", 10, 5, "SV01"},
    {"DL1AB", "DL", "EU", "20m", 14030000, "CW", 10, 7, "001"},
    {"OK1XY", "OK", "EU", "20m", 14032000, "CW", 10, 9, "002"},
    {"RA3AB", "UA", "EU", "20m", 14035000, "CW", 10, 12, "MA05"},
    {"UA9AA", "UA9", "AS", "20m", 14150000, "SSB", 10, 20, "SV01"},
    {"UA9AA", "UA9", "AS", "40m", 7010000, "CW", 11, 0, "SV01"},
    {"F5ABC", "F", "EU", "20m", 14040000, "CW", 11, 5, "003"},
    {"RN6XY", "UA", "EU", "40m", 7015000, "CW", 11, 10, "KR01"},
};

const char* gOwnCall = "RA3AA";

int callQso(const StatsDll& dll, const char* name, const Qso& q) {
  HostDateTime when{oleDate(2026, 3, 7, q.hour, q.minute)}, none{0, 2, 0};
  return dll.get<AddDataFn>(name)(gOwnCall, q.call, &when, &none, &none, &none, 0, q.freqHz, q.mode,
                                  "599", "599", "001", q.exch, "", "", "", "", "", "", "", "", "",
                                  q.prefix, 0, 0, 0, 0, 0, "", q.continent, "", q.band, "");
}

}  // namespace

double oleDate(int year, int month, int day, int hour, int minute) {
  SYSTEMTIME t{};
  t.wYear = year;
  t.wMonth = month;
  t.wDay = day;
  t.wHour = hour;
  t.wMinute = minute;
  double value = 0;
  SystemTimeToVariantTime(&t, &value);
  return value;
}

void writeDistrictTable() {
  const std::string bytes = "RDA districts\r\nSV-01 \r\nMA-05 \r\nKR-01 \r\nAD-01 \r\n";
  HANDLE f = CreateFileA("Plugins\\rda_rus.dat", GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  DWORD written = 0;
  WriteFile(f, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
  CloseHandle(f);
}

int playContest(const StatsDll& dll, const char* ownCall, const char* ownPrefix) {
  gOwnCall = ownCall;
  HostDateTime start{oleDate(2026, 3, 7, 8, 0)}, end{oleDate(2026, 3, 7, 20, 0)};
  char folder[MAX_PATH] = {};
  GetCurrentDirectoryA(MAX_PATH, folder);
  lstrcatA(folder, "\\");
  dll.get<ResetStatsFn>(decorated::ResetStats0)(folder, 0, ownCall, &start, &end, "", "", "", "", "",
                                                "", "", "", "", ownPrefix, 0, 0, 0, 0, 0, "", "EU", "");
  int stored = 0;
  for (const Qso& q : kLog) stored += callQso(dll, decorated::AddData0, q);
  int status = 0;
  dll.get<GetResultFn>(decorated::GetResult0)(&status);
  return stored;
}

int checkCall(const StatsDll& dll, const std::string& typed) {
  char hint[16] = {}, unused[16] = {};
  return dll.get<CheckCallFn>(decorated::CheckCallFunc0)(
      typed.c_str(), 0, 0, "CW", "", "", "", "", "", "", "", "", "", "UA9", 0, 0, 0, 0, 0, "", "",
      "", "", "", "20m", "20m", hint, unused);
}

int removeQso(const StatsDll& dll, int index) {
  return callQso(dll, decorated::RemoveData0, kLog[index]);
}

}  // namespace stats::testing
