#pragma once
// Conversions of single log fields into the values the plug-in is given.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "platform/ole_date_time.h"

namespace rdac {

// A date of eight digits (YYYYMMDD; dashes already removed) and a time of four or six
// digits (HHMM or HHMMSS), checked for a real calendar date and clock time.
std::optional<stats::COleDateTime> qsoTime(std::string_view date, std::string_view time);

// Minutes since 1899-12-30 of a QSO time, its seconds cut, and back.
int64_t minuteOf(const stats::COleDateTime& time);
stats::COleDateTime timeOfMinute(int64_t minute);
// "2017-08-19 1204": a QSO's time wherever rdac writes one.
std::string qsoTimeText(const stats::COleDateTime& time);
std::string minuteText(int64_t minute);

// A frequency written in MHz ("14.025", "3,5123") or kHz ("14025.5") in Hz, rounded to the
// nearest Hz; nothing for other text or beyond the host's 32 bits.
std::optional<uint32_t> hzOfMHz(std::string_view mhz);
std::optional<uint32_t> hzOfKHz(std::string_view kHz);
std::optional<uint32_t> hzOf(std::string_view number, uint32_t unitHz);

// The plug-in knows "CW" and "SSB"; SSB with either SUBMODE, and the sidebands that older
// ADIF wrote as MODE (and Cabrillo loggers beside PH), are SSB. Other modes keep their text, so the plug-in reports them as
// modes outside the contest.
std::string adifMode(std::string_view mode);
std::string cabrilloMode(std::string_view mode);

// The call itself among the parts of a call with slashes, the longest: RV4U of RV4U/4, W1JR of
// UA9/W1JR.
std::string_view bareCall(std::string_view call);

// True for a call that is only a prefix (R3, UA9/P): its home part, the longest between
// slashes, ends in its digit.
bool onlyAPrefix(std::string_view call);

// The call a log's file is named after ("RN0YH" of RN0YH.log, "RN0YH/P" of rn0yh_p.cbr, since
// a file name cannot hold "/") when it is a full call whose home part starts with `prefix`'s;
// empty otherwise. Senders name their files after their call more reliably than they fill in
// a header.
std::string callOfFileName(std::string_view fileName, std::string_view prefix);

// Callsigns are compared case-sensitively by the plug-in; loggers differ in case.
std::string normalisedCall(std::string_view call);

}  // namespace rdac
