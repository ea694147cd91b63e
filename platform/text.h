#pragma once
// Byte-string helpers. Case folding and character classes are ASCII only and never
// go through the C locale: texts are bytes in the host's ANSI code page.
#include <string>
#include <string_view>
#include <vector>

namespace stats {

// The text an argument points to; a null pointer reads as the empty text.
std::string argText(const char* text);
std::string_view argView(const char* text);

char asciiUpper(char c);
char asciiLower(char c);
bool isAsciiDigit(char c);
bool isAsciiSpace(char c);  // blank, tab, CR, LF, vertical tab, form feed

std::string toUpperAscii(std::string_view text);
bool equalsNoCase(std::string_view a, std::string_view b);  // ASCII case-insensitive
std::string trimmed(std::string_view text);                 // white space off both ends

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
