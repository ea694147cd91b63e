#pragma once
// The logger's side of the export table, for native tests: named values in, the full
// argument lists out, the way the host calls the plug-in.
#include <string>

#include "platform/ole_date_time.h"

namespace stats::testing {

struct Qso {
  std::string ownCall = "RA3AA";
  std::string call = "UA9AAA";
  COleDateTime time = COleDateTime::fromParts(2017, 9, 5, 12, 0, 0);
  unsigned freqHz = 14025300;
  std::string mode = "CW";
  std::string rstSent = "599";
  std::string rstRcvd = "599";
  std::string exchSent = "MA01";
  std::string exchRcvd = "001";
  std::string prefix = "UA9";
  std::string continent = "AS";
  std::string band = "20m";

  Qso& at(int hour, int minute, double second = 0);
};

struct Station {
  std::string folder = "./";
  int exportFlag = 0;
  std::string call = "RA3AA";
  COleDateTime start = COleDateTime::fromParts(2017, 9, 2, 8, 0, 0);
  COleDateTime end = COleDateTime::fromParts(2017, 9, 5, 8, 0, 0);
  std::string prefix = "UA";
  std::string continent = "EU";
};

int resetStats(const Station& station);
int addData(const Qso& qso);
int removeData(const Qso& qso);
// CheckCall0 for a callsign as typed; hint receives the buffer after the call.
int checkCall(const std::string& call, const std::string& band, const std::string& mode,
              const std::string& prefix, std::string* hint = nullptr,
              const char* secondBand = nullptr);
std::string getResult();

}  // namespace stats::testing
