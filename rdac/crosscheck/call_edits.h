#pragma once
// Callsigns as the cross-check compares them: one station whatever portable suffix it signs,
// and the one-keystroke slips that turn one call into another.
#include <string>
#include <string_view>
#include <vector>

namespace rdac {

// The call without a trailing /P, /M or /QRP: W1JR/QRP is W1JR. Other parts after a slash
// (UA9/W1JR, DL1AB/MM) name another place, so they stay.
std::string_view stationOf(std::string_view call);

// True when `a` becomes `b` by one substitution, insertion, deletion or swap of neighbours.
bool oneEditApart(std::string_view a, std::string_view b);

// The call and each text left when one of its characters is deleted. Two calls one edit apart
// always share one of these keys, so an index on them finds the candidates for oneEditApart
// without looking at every call.
std::vector<std::string> deletionKeys(std::string_view call);

}  // namespace rdac
