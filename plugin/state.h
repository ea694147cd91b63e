#pragma once
// The plug-in's process-wide state: one object, created at load, guarded by one lock that
// the exports and the window thread take while they work on it.
#include <array>
#include <mutex>
#include <string>
#include <vector>

#include "contest/district_table.h"
#include "log/log_store.h"
#include "reports/bad_qso_file.h"
#include "reports/cabrillo_log.h"

namespace stats {

constexpr int kBandCount = 6;

// One row of the worked-with table: the band name and four cells.
using BandInfoRow = std::array<std::string, 5>;

struct PluginState {
  // Log store.
  LogStore qsoLog;

  // Own station and contest, kept by the reset.
  std::string ownFolder, ownCall, ownPrefix, ownContinent;
  std::string startDayMonth, contestYear, endDate;
  std::string hostVersion;
  int exportFlag = 0;
  int ownRussian = 0;    // only ever goes from 0 to 1
  int russianTexts = 0;  // only ever goes from 0 to 1

  // Contest data, reloaded by every reset.
  DistrictTable DistrictList;
  StationHints StationHintList;

  // Result.
  int htmlForm = 0;  // set by setVersion, never cleared
  int claimedScore = 0;
  int badQsoCount = 0;
  std::string resultText;
  std::vector<std::string> workedDistricts;
  std::array<std::vector<std::string>, kBandCount> bandPrefixes;

  // The bad-QSO file of the contest (its name is `badQsoFileName`) with this contest's lines.
  BadQsoFile badQsoFile;

  // Cabrillo export: the header confirmed at the last reset and the lines of the last pass.
  CabrilloLog cabrilloLog;

  // Windows.
  std::array<BandInfoRow, kBandCount> BandInfoRows;
  int useHint = 0;
  int windowOnTop = 0;
  int showRdaWindow = 0;
  int showDxccWindow = 0;
  std::string enteredCall;
  int enteredCallPresent = 0;
  int currentBand = -1;
  int refreshReady = 1;
  int shownDistrictCount = 0;
};

// The one instance. Touch it only while holding the lock.
PluginState& pluginState();
std::mutex& stateMutex();
// At FreeLibrary, once no thread of ours is left: gives the state's memory back to the heap,
// which outlives the library (the next load builds a new state).
void releasePluginState();

// Holds the state lock for its lifetime (and can step out of it around a modal dialog).
class StateLock {
 public:
  StateLock() : lock_(stateMutex()) {}
  PluginState& state() { return pluginState(); }
  void release() { lock_.unlock(); }
  void reacquire() { lock_.lock(); }

 private:
  std::unique_lock<std::mutex> lock_;
};

// Steps out of a held StateLock for its lifetime, around a modal dialog or message box.
class StateLockReleased {
 public:
  explicit StateLockReleased(StateLock& lock) : lock_(lock) { lock_.release(); }
  ~StateLockReleased() { lock_.reacquire(); }
  StateLockReleased(const StateLockReleased&) = delete;
  StateLockReleased& operator=(const StateLockReleased&) = delete;

 private:
  StateLock& lock_;
};

// Puts the state back as it is at load (for the tests, which share one process-wide state).
void resetPluginStateForTests();

}  // namespace stats
