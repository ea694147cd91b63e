#pragma once
// Callsigns as the cross-check compares them: one station whatever portable suffix it signs,
// and the one-keystroke slips that turn one call into another.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace rdac {

// The call without a trailing /P, /M or /QRP, or a /N that repeats the call's own area:
// W1JR/QRP and R3AA/3 are W1JR and R3AA. A prefix in the call's own country names its area as
// a /N does: UA9/RA3AAA is RA3AAA/9, UA3/RA3AAA is RA3AAA. Other parts after a slash
// (UA9/W1JR, DL1AB/MM, and RZ3XX/1, away from area 3) name another place, so they stay.
std::string stationOf(std::string_view call);

// For a station away from its call's area (RZ3XX/1), the call at home (RZ3XX); else empty.
// A partner who logs the one for the other busted the call.
std::string_view homeOf(std::string_view station);

// True when a partner may have logged the one call for the other by a slip: one edit apart,
// as calls or as bare calls (a slip in RV4U/4 changes RV4U), or the one the other away from
// home (RZ3XX/1 and RZ3XX).
bool oneSlipApart(std::string_view a, std::string_view b);

// True when `a` becomes `b` by one substitution, insertion, deletion or swap of neighbours.
bool oneEditApart(std::string_view a, std::string_view b);

// The call and each text left when one of its characters is deleted, each as a number that equal
// texts share. Two calls one edit apart always share one of these keys, so an index on them
// finds the candidates for oneEditApart without looking at every call (two texts that share a
// number by chance only add a candidate). Time and memory grow with the call's length, not its
// square: a call is the sender's to make long.
std::vector<uint64_t> deletionKeys(std::string_view call);

}  // namespace rdac
