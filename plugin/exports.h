#pragma once
// The plug-in's export table with C linkage, under the undecorated names. On Windows
// Stats.def publishes each also under its decorated name; natively Stats.map exports these.
#include "platform/ole_date_time.h"

using stats::COleDateTime;

// CheckCall0's answers.
inline constexpr int kCheckDupe = 0;           // worked before on that band and mode
inline constexpr int kCheckOrdinary = 1;       // counts, and brings no new multiplier
inline constexpr int kCheckNewMultiplier = 2;  // brings a new multiplier
inline constexpr int kCheckCannotCount = 4;    // cannot count in this contest

// The hint buffer CheckCall0 may fill: nine characters and the terminating zero.
inline constexpr unsigned kHintBufferSize = 10;

extern "C" {

int AddData0(const char* ownCall, const char* call, COleDateTime* qsoTime, COleDateTime*,
             COleDateTime*, COleDateTime*, unsigned int, unsigned int freqHz, const char* mode,
             const char* rstSent, const char* rstRcvd, const char* exchSent, const char* exchRcvd,
             const char*, const char*, const char*, const char*, const char*, const char*,
             const char*, const char*, const char*, const char* prefix, int, int, int, double,
             double, const char*, const char* continent, const char*, const char* band,
             const char*);

int RemoveData0(const char* ownCall, const char* call, COleDateTime* qsoTime, COleDateTime*,
                COleDateTime*, COleDateTime*, unsigned int, unsigned int freqHz, const char* mode,
                const char* rstSent, const char* rstRcvd, const char* exchSent,
                const char* exchRcvd, const char*, const char*, const char*, const char*,
                const char*, const char*, const char*, const char*, const char*,
                const char* prefix, int, int, int, double, double, const char*,
                const char* continent, const char*, const char* band, const char*);

int CheckCall0(const char* call, unsigned int, unsigned int, const char* mode, const char*,
               const char*, const char*, const char*, const char*, const char*, const char*,
               const char*, const char*, const char* prefix, int, int, int, double, double,
               const char*, const char*, const char*, const char*, const char*, const char* band,
               const char* secondBand, char* hintBuffer, char*);

int ResetStats0(const char* ownFolder, int exportFlag, const char* ownCall,
                COleDateTime* contestStart, COleDateTime* contestEnd, const char*, const char*,
                const char*, const char*, const char*, const char*, const char*, const char*,
                const char*, const char* ownPrefix, int, int, int, double, double, const char*,
                const char* ownContinent, const char*);

const char* GetResult0(int* status);
int GetNumberOfSets(void);
const char* GetSetName(int index);
int GetExchgCount0(const char*, const char*, const char*);
int IsValidExchg0(const char* exch, const char*, const char*, const char*, int, int, int);
unsigned long setVersion(const char*);
void SetupSet0(void);
const char* RunCommand0(int, const char* command);

}  // extern "C"
