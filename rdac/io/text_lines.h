#pragma once
#include <string>
#include <string_view>

namespace rdac {

// The line that starts at `pos`, without its end: CR LF, LF or a lone CR, whichever system
// wrote the file. Moves `pos` past that end.
inline std::string_view nextLine(std::string_view text, size_t& pos) {
  size_t end = text.find_first_of("\r\n", pos);
  if (end == std::string_view::npos) end = text.size();
  const std::string_view line = text.substr(pos, end - pos);
  pos = end + (text.substr(end, 2) == "\r\n" ? 2 : 1);
  return line;
}

// The text with LF line ends and a last line end, as a terminal wants it; the plug-in's texts
// end their lines in CR LF.
inline std::string forTerminal(std::string_view text) {
  std::string out;
  out.reserve(text.size() + 1);
  for (size_t pos = 0; pos < text.size();) out.append(nextLine(text, pos)).push_back('\n');
  if (out.empty()) out = "\n";
  return out;
}

}  // namespace rdac
