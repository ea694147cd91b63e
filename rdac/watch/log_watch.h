#pragma once
// rdac watch: follows an ADIF log while a logger appends to it.
#include <optional>
#include <ostream>
#include <string>
#include <string_view>

#include "rdac/io/file_events.h"
#include "rdac/score/contest_run.h"

namespace rdac {

// The bytes of an ADIF file past the records already taken, up to the end of its last whole
// record: a record the logger is still writing waits for its <EOR>. The file is read only when
// its size or time changed, and then whether it grew by an append or was edited is told by its
// bytes: an edit that keeps the size is a rewrite too.
class AdifTail {
 public:
  enum class Change { none, appended, rewritten, missing, cabrillo };
  struct Look {
    Change change = Change::none;
    std::string records;   // whole records (with the header on the first look)
    size_t firstLine = 1;  // the line of the file `records` starts on
  };

  Look look(const std::string& path);
  // Back to the start of the file, as after a rewrite.
  void restart() { *this = AdifTail(); }

 private:
  std::string taken_;  // the file's bytes up to the end of the last record taken
  size_t lines_ = 0;   // line ends in them
  std::optional<FileState> read_;  // the file's state when it was last read
};

// Why `path` cannot be followed (a folder, a folder that is not there, a Cabrillo log); empty
// when it can.
std::string unwatchableReason(const std::string& path);

// Offset just past the last <EOR> (any letter case) of `bytes`; 0 when none.
size_t endOfLastRecord(std::string_view bytes);

struct WatchOptions {
  RunOptions run;
  std::string reportPath;         // the contest report page, kept current; empty: none
  double pollSeconds = 0.5;       // how often it looks at the log
  double reportEverySeconds = 3;  // least time between two report writes
};

// Runs until SIGINT or SIGTERM; the exit code.
int watchLog(const WatchOptions& options, std::ostream& out, std::ostream& err);

}  // namespace rdac
