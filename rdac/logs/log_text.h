#pragma once
// The encoding of a log file's text, decided once for the whole file. Inside rdac every text is
// UTF-8; the plug-in gets Windows-1251 at its exports.
#include <string>
#include <string_view>

namespace rdac {

enum class LogEncoding { utf8, windows1251 };

// UTF-16 with its byte-order mark (Notepad's "Unicode") as UTF-8; any other file as it is, a
// UTF-8 byte-order mark dropped.
std::string textOfLogFile(std::string bytes);

// Well-formed UTF-8 with a letter beyond ASCII is UTF-8; anything else is read as Windows-1251,
// which spells every byte (Latin-1 files lose only their accented letters).
LogEncoding logEncodingOf(std::string_view text);

// A text of the file as UTF-8; in a UTF-8 file, a byte that breaks a sequence (a value cut by a
// length counted in letters) becomes "?", so nothing rdac writes is invalid UTF-8.
std::string utf8OfLogText(std::string_view text, LogEncoding encoding);

bool isAscii(std::string_view text);

// A whole text file (a Cabrillo header file, say) as UTF-8, whichever of these it was saved in.
std::string utf8OfTextFile(std::string bytes);

}  // namespace rdac
