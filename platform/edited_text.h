#pragma once
// Files that people edit by hand (the district table, the hint file, the settings file) come
// back from a text editor in whatever encoding and line ends it chose: the ANSI code page
// (Windows-1251 here), UTF-8 with or without a byte-order mark, UTF-16 LE or BE with one; CR LF,
// LF or a lone CR. The library's texts are Windows-1251 bytes; these turn the one into the other.
#include <string>
#include <string_view>
#include <vector>

namespace stats {

// How a file's bytes are encoded, as far as its byte-order mark tells.
enum class TextEncoding { ansi, utf8Bom, utf16Le, utf16Be };

TextEncoding byteOrderMarkOf(std::string_view bytes);

// The file's text as UTF-8, its byte-order mark dropped; an ANSI file as it is.
std::string utf8OfFile(std::string_view bytes, TextEncoding encoding);
// UTF-8 text as a file of that encoding, its byte-order mark first; for ANSI as it is.
std::string fileOfUtf8(std::string_view utf8, TextEncoding encoding);

// Windows-1251 bytes of UTF-8 text; what that code page cannot spell, and any byte that is not
// part of a well-formed sequence, becomes "?".
std::string windows1251OfUtf8(std::string_view utf8);
std::string utf8OfWindows1251(std::string_view text);

// True when the bytes are well-formed UTF-8 and hold at least one character beyond ASCII: text
// in Windows-1251 practically never is (a capital letter is not followed by 0x80 to 0xBF).
bool looksLikeUtf8(std::string_view bytes);

// A hand-edited file's text as Windows-1251 bytes, whichever encoding the editor saved it in.
std::string windows1251OfEditedFile(std::string_view bytes);

// The lines of a text, each ending at CR LF, LF or a lone CR, without its end; a last line
// without an end counts too. Every other byte (NUL included) stays in its line.
std::vector<std::string> editedTextLines(std::string_view text);

}  // namespace stats
