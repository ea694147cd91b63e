#pragma once
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

}  // namespace rdac
