#pragma once
// Byte-string helpers. Case folding and character classes are ASCII only and never
// go through the C locale: texts are bytes in the host's ANSI code page.
#include <string>
#include <string_view>
#include <vector>

namespace stats {

// The text an argument points to; a null pointer reads as the empty text.
std::string argText(const char* text);
inline std::string_view argView(const char* text) {
  return text ? std::string_view(text) : std::string_view();
}

// Inline: intake runs these for every QSO of a reload.
inline char asciiUpper(char c) {
  return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}
inline char asciiLower(char c) {
  return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}
inline bool isAsciiDigit(char c) { return c >= '0' && c <= '9'; }
inline bool isAsciiSpace(char c) {  // blank, tab, CR, LF, vertical tab, form feed
  return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f';
}

std::string toUpperAscii(std::string_view text);
// Without its leading and trailing ASCII blanks; a view of the same bytes.
inline std::string_view trimmedView(std::string_view text) {
  while (!text.empty() && isAsciiSpace(text.front())) text.remove_prefix(1);
  while (!text.empty() && isAsciiSpace(text.back())) text.remove_suffix(1);
  return text;
}
inline bool equalsNoCase(std::string_view a, std::string_view b) {  // ASCII case-insensitive
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (asciiLower(a[i]) != asciiLower(b[i])) return false;
  return true;
}
std::string trimmed(std::string_view text);                 // white space off both ends

// Below 0x20, or DEL.
inline bool isControlByte(char c) { return static_cast<unsigned char>(c) < 0x20 || c == 0x7f; }
// A value written into a line of a text file stays on that line whatever it holds: a line break
// inside would start a line of its own (a forged QSO line, say), and a NUL ends the value early
// for a reader that stops there. Every control byte becomes a blank.
std::string oneLine(std::string_view value);
void blankControlBytes(std::string& text);  // in place

// The lines of a text as a text-mode reader sees them: split at LF, a CR before the LF
// dropped with it, a last line without LF included; every other byte kept.
std::vector<std::string> textLines(const std::string& bytes);

// The standard decimal conversion: optional leading white space and sign, then digits;
// 0 when there are none. Values beyond the int range saturate.
int decimalValue(std::string_view text);

// Every non-overlapping occurrence of `from`, left to right, replaced by `to`; the inserted
// text is not searched again.
std::string replaceAll(std::string_view text, std::string_view from, std::string_view to);

// printf into a string, for the library's own formats; the widths are minimums, so a long
// value shifts what follows.
std::string formatted(const char* format, ...) __attribute__((format(printf, 1, 2)));

}  // namespace stats
