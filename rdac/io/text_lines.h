#pragma once
#include <algorithm>
#include <cstring>
#include <string>
#include <string_view>

namespace rdac {

// The line that starts at `pos`, without its end: CR LF, LF or a lone CR, whichever system
// wrote the file. Moves `pos` past that end.
inline std::string_view nextLine(std::string_view text, size_t& pos) {
  if (pos >= text.size()) {
    pos = text.size() + 1;
    return {};
  }
  // memchr looks for LF over a window that a line seldom outgrows, so that a file of lone CRs
  // does not send every line's search to the file's end; a CR before the LF ends the line there.
  constexpr size_t kWindow = 4096;
  const char* const data = text.data();
  const size_t window = std::min(text.size() - pos, kWindow);
  const auto* lf = static_cast<const char*>(std::memchr(data + pos, '\n', window));
  const size_t searched = lf ? static_cast<size_t>(lf - data) : pos + window;
  const auto* cr = static_cast<const char*>(std::memchr(data + pos, '\r', searched - pos));
  size_t end = cr ? static_cast<size_t>(cr - data) : searched;
  if (!cr && !lf)
    while (end < text.size() && text[end] != '\n' && text[end] != '\r') ++end;
  const std::string_view line = text.substr(pos, end - pos);
  pos = end + (end + 1 < text.size() && text[end] == '\r' && text[end + 1] == '\n' ? 2 : 1);
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
