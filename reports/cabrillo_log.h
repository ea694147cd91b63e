#pragma once
// The Cabrillo 3.0 export: the header the operator confirms, the QSO lines of one export pass,
// and the file they make.
#include <string>
#include <vector>

#include "platform/file_path.h"
#include "platform/message_box.h"
#include "platform/ole_date_time.h"

namespace stats {

// The values of the header dialog, one per control that carries a header value.
struct CabrilloHeader {
  std::string contest;  // shown and saved, never written to the file
  std::string callsign;
  std::string claimed;  // shown only: the file takes the computed score
  std::string categoryOperator;
  std::string location;
  std::string categoryBand;
  std::string categoryMode;
  std::string categoryPower;
  std::string categoryStation;
  std::string categoryTransmitter;
  std::string name;
  std::string address;
  std::string addressCity;
  std::string addressPostalCode;
  std::string addressCountry;
  std::string operators;
  std::string club;
  std::string soapbox;  // in the record: ready for the file, see soapboxForFile
  std::string email;

  bool operator==(const CabrilloHeader& other) const;
};

struct CabrilloLog : CabrilloHeader {
  std::string fileBase;  // the file is fileBase + ".cbr" in the contest's folder
  std::vector<std::string> qsoLines;  // each a whole line, CR LF included
  COleDateTime contestStart, contestEnd;

  // Appends the QSO line of one record; `mode` is already the Cabrillo mode.
  void addQsoLine(const std::string& call, int freqKHz, const std::string& mode,
                  const COleDateTime& qsoTime, const std::string& rstSent,
                  const std::string& exchSent, const std::string& rstRcvd,
                  const std::string& exchRcvd);

  // The callsign as the file names it, in its header and in every QSO line: on one line and
  // without the blanks at its ends that the file name drops too.
  std::string sentCall() const;

  // The whole file: header, QSO lines and trailer, every line ending in CR LF. Each header
  // value is one line, its control bytes blanked; only the soapbox spans several.
  std::string fileText(int claimedScore, const std::string& hostVersion) const;

  // Writes fileText to a temporary file in `folder` and renames it over the target; returns the
  // message for the operator, which says whether the file was produced and names its full path.
  FileMessage writeFile(const FilePath& folder, int claimedScore,
                        const std::string& hostVersion) const;

  std::string fileName() const { return fileBase + ".cbr"; }
};

// "CW" for "CW", "PH" for "SSB", "??" for anything else (letter case counts).
std::string cabrilloMode(const std::string& logMode);

// The file base for an own callsign: characters that cannot stand in a Windows file name
// become "_", white space at the ends goes, and an empty result becomes "RDRC".
std::string cabrilloFileBase(const std::string& ownCall);

// The soapbox as the settings file keeps it ("<CR>" and "<LF>" for the line breaks) and as the
// dialog shows it (real line breaks).
std::string soapboxFromStored(const std::string& stored);
std::string soapboxToStored(const std::string& shown);

// A stored soapbox ready to follow the first "SOAPBOX: " label: one label per text line.
std::string soapboxForFile(const std::string& stored);

}  // namespace stats
