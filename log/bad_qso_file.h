#pragma once
// The bad-QSO ("UBN") file: one line per contact the intake refused or flagged, for the
// operator to correct the log; counted back by the result.
#include <string>

#include "log/call_args.h"
#include "platform/file_path.h"
#include "platform/message_box.h"
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

// The file of the current contest, and this contest's lines kept beside it, so that a file the
// system will not let us write (held open by another program, a full disk) never passes off
// stale or missing lines as this contest's: while the file is behind, the count comes from the
// kept lines, and every rewrite tries to bring the file back in step. Before the first
// create() there is no file and nothing is written or kept. Callers hold the state lock.
class BadQsoFile {
 public:
  const FilePath& path() const { return path_; }

  // Starts the contest's file, at its full path, with the header line only. False when it
  // could not be written.
  bool create(const FilePath& path);

  // Appends whole lines (each ending in CR LF); they are in the file when it returns unless
  // the file cannot take them.
  void append(const std::string& lines);

  // Takes each of `lines` out once (the lines of a removed contact, or the dupe line of a
  // contact that is no longer a dupe) and rewrites the file with its header, its other lines
  // in order, each ending in CR LF, recreating it when missing.
  void remove(const std::string& lines);

  // The bad QSOs: the QSO lines but the dupe lines, and other lines that hold neither "DUPE"
  // nor "UBN"; of the file, or of the lines kept here while the file is behind (after one more
  // try to bring it in step).
  int countBad();

  // The message for the operator when the file fell behind since the last create(), once;
  // empty otherwise.
  FileMessage takeFailureMessage();

 private:
  bool rewrite(const std::string& content);

  FilePath path_;
  std::string lines_;    // this contest's lines after the header, as the file should hold them
  bool inStep_ = false;  // the file holds the header and exactly lines_ (or the operator's edits)
  bool failed_ = false;  // fell behind since create()
  bool reported_ = false;
};

}  // namespace stats
