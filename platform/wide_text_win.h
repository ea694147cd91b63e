#pragma once
// The host's ANSI texts and the wide texts of the system's W functions, converted with the
// ANSI code page of the process (CP_ACP), as the A functions would. Windows files only.
#include <string>

namespace stats {

std::wstring wideOfAnsi(const std::string& text);
// Texts that go back to the host (a setting's value); never used for a path.
std::string ansiOfWide(const std::wstring& text);

}  // namespace stats
