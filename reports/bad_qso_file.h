#pragma once
// The bad-QSO ("UBN") file: one line per contact the intake refused or flagged, for the
// operator to correct the log; counted back by the result.
#include <string>

#include "log/call_args.h"
#include "platform/ole_date_time.h"

namespace stats {

// "BadQSO_DedodEVA_<dd_mm_yyyy>.txt" for the contest end.
std::string badQsoFileNameFor(const COleDateTime& contestEnd);

// "QSO:  <kHz>  <mode>  <date time>  <own>  <rst>  <exch>  <call>  <rst>  <exch>" + reason + CR LF.
std::string badQsoLine(const QsoArgs& qso, const std::string& reason);

// Reason texts, each with its own leading blanks.
extern const char* const kWrongBand;
extern const char* const kWrongMode;
extern const char* const kNoExchange;
extern const char* const kDupe;
std::string unknownDistrictReason(const std::string& code);

// Each returns false when the file could not be written; an empty name writes nothing.
bool createBadQsoFile(const std::string& name);  // header line only

// Appends lines, the file created if missing. A line that follows another within a
// millisecond (the host feeding its whole log) waits in memory with the rest of the burst
// and reaches the file with the next line after a pause, at 64 KB, at the next
// flushBadQsoLines(), which every export makes, or at unload. Callers hold the state lock.
void appendBadQsoLines(const std::string& name, const std::string& lines);
void flushBadQsoLines();

// Drops the lines of one removed contact: those whose own worked-call field equals `call`
// and whose own date-time field equals `qsoTime` formatted as the lines write it. The file is
// rewritten with its header (recreated when missing).
bool removeBadQsoLines(const std::string& name, const std::string& call, const COleDateTime& qsoTime);

// Lines that hold neither "DUPE" nor "UBN"; 0 when the file cannot be read.
int countBadQsos(const std::string& name);

}  // namespace stats
