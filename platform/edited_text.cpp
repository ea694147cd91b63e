#include "platform/edited_text.h"

#include <cstdint>

namespace stats {
namespace {

constexpr char32_t kReplacement = 0xFFFD;

// Windows-1251 bytes 0x80 to 0xFF; 0x98, which the code page leaves undefined, maps to U+0098
// as Windows maps it.
constexpr char16_t kWindows1251High[128] = {
    0x0402, 0x0403, 0x201A, 0x0453, 0x201E, 0x2026, 0x2020, 0x2021,
    0x20AC, 0x2030, 0x0409, 0x2039, 0x040A, 0x040C, 0x040B, 0x040F,
    0x0452, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x0098, 0x2122, 0x0459, 0x203A, 0x045A, 0x045C, 0x045B, 0x045F,
    0x00A0, 0x040E, 0x045E, 0x0408, 0x00A4, 0x0490, 0x00A6, 0x00A7,
    0x0401, 0x00A9, 0x0404, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x0407,
    0x00B0, 0x00B1, 0x0406, 0x0456, 0x0491, 0x00B5, 0x00B6, 0x00B7,
    0x0451, 0x2116, 0x0454, 0x00BB, 0x0458, 0x0405, 0x0455, 0x0457,
};  // 0xC0 to 0xFF are U+0410 to U+044F in order

char windows1251Byte(char32_t c) {
  if (c < 0x80) return static_cast<char>(c);
  if (c >= 0x0410 && c <= 0x044F) return static_cast<char>(0xC0 + (c - 0x0410));
  for (unsigned i = 0; i < 64; ++i)
    if (kWindows1251High[i] == c) return static_cast<char>(0x80 + i);
  return '?';
}

char32_t windows1251Char(unsigned char b) {
  if (b < 0x80) return b;
  if (b >= 0xC0) return 0x0410 + (b - 0xC0);
  return kWindows1251High[b - 0x80];
}

void appendUtf8(std::string& out, char32_t c) {
  if (c < 0x80) {
    out += static_cast<char>(c);
  } else if (c < 0x800) {
    out += static_cast<char>(0xC0 | c >> 6);
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    out += static_cast<char>(0xE0 | c >> 12);
    out += static_cast<char>(0x80 | (c >> 6 & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | c >> 18);
    out += static_cast<char>(0x80 | (c >> 12 & 0x3F));
    out += static_cast<char>(0x80 | (c >> 6 & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  }
}

// The character that starts at `at`, moving `at` past it; an ill-formed sequence (a stray
// continuation byte, an overlong form, a surrogate, a cut-off end) reads as one replacement
// character per byte, so `valid` tells whether the text was well formed.
char32_t nextUtf8(std::string_view text, size_t& at, bool& valid) {
  const unsigned char lead = static_cast<unsigned char>(text[at++]);
  if (lead < 0x80) return lead;
  const int more = lead >= 0xF5 ? -1 : lead >= 0xF0 ? 3 : lead >= 0xE0 ? 2 : lead >= 0xC2 ? 1 : -1;
  if (more < 0 || at + static_cast<size_t>(more) > text.size()) {
    valid = false;
    return kReplacement;
  }
  char32_t c = lead & (0x3F >> more);
  for (int i = 0; i < more; ++i) {
    const unsigned char next = static_cast<unsigned char>(text[at + static_cast<size_t>(i)]);
    if ((next & 0xC0) != 0x80) {
      valid = false;
      return kReplacement;
    }
    c = c << 6 | (next & 0x3F);
  }
  static constexpr char32_t kSmallest[] = {0, 0x80, 0x800, 0x10000};
  if (c < kSmallest[more] || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) {
    valid = false;
    return kReplacement;
  }
  at += static_cast<size_t>(more);
  return c;
}

char16_t unitAt(std::string_view bytes, size_t at, bool bigEndian) {
  const auto first = static_cast<unsigned char>(bytes[at]);
  const auto second = static_cast<unsigned char>(bytes[at + 1]);
  return static_cast<char16_t>(bigEndian ? first << 8 | second : second << 8 | first);
}

std::string utf8OfUtf16(std::string_view bytes, bool bigEndian) {
  std::string out;
  out.reserve(bytes.size());
  for (size_t at = 0; at + 1 < bytes.size(); at += 2) {
    char32_t c = unitAt(bytes, at, bigEndian);
    if (c >= 0xD800 && c <= 0xDBFF && at + 3 < bytes.size()) {
      const char16_t low = unitAt(bytes, at + 2, bigEndian);
      if (low >= 0xDC00 && low <= 0xDFFF) {
        c = 0x10000 + ((c - 0xD800) << 10) + (low - 0xDC00);
        at += 2;
      }
    }
    if (c >= 0xD800 && c <= 0xDFFF) c = kReplacement;
    appendUtf8(out, c);
  }
  return out;
}

void appendUnit(std::string& out, char32_t unit, bool bigEndian) {
  const char high = static_cast<char>(unit >> 8), low = static_cast<char>(unit & 0xFF);
  out += bigEndian ? high : low;
  out += bigEndian ? low : high;
}

std::string utf16OfUtf8(std::string_view utf8, bool bigEndian) {
  std::string out;
  out.reserve(utf8.size() * 2 + 2);
  appendUnit(out, 0xFEFF, bigEndian);
  bool valid = true;
  for (size_t at = 0; at < utf8.size();) {
    const char32_t c = nextUtf8(utf8, at, valid);
    if (c < 0x10000) {
      appendUnit(out, c, bigEndian);
    } else {
      appendUnit(out, 0xD800 + ((c - 0x10000) >> 10), bigEndian);
      appendUnit(out, 0xDC00 + ((c - 0x10000) & 0x3FF), bigEndian);
    }
  }
  return out;
}

const char kUtf8Mark[] = "\xEF\xBB\xBF";

}  // namespace

TextEncoding byteOrderMarkOf(std::string_view bytes) {
  if (bytes.substr(0, 3) == kUtf8Mark) return TextEncoding::utf8Bom;
  if (bytes.substr(0, 2) == "\xFF\xFE") return TextEncoding::utf16Le;
  if (bytes.substr(0, 2) == "\xFE\xFF") return TextEncoding::utf16Be;
  return TextEncoding::ansi;
}

std::string utf8OfFile(std::string_view bytes, TextEncoding encoding) {
  switch (encoding) {
    case TextEncoding::utf8Bom: return std::string(bytes.substr(3));
    case TextEncoding::utf16Le: return utf8OfUtf16(bytes.substr(2), false);
    case TextEncoding::utf16Be: return utf8OfUtf16(bytes.substr(2), true);
    case TextEncoding::ansi: break;
  }
  return std::string(bytes);
}

std::string fileOfUtf8(std::string_view utf8, TextEncoding encoding) {
  switch (encoding) {
    case TextEncoding::utf8Bom: return kUtf8Mark + std::string(utf8);
    case TextEncoding::utf16Le: return utf16OfUtf8(utf8, false);
    case TextEncoding::utf16Be: return utf16OfUtf8(utf8, true);
    case TextEncoding::ansi: break;
  }
  return std::string(utf8);
}

std::string windows1251OfUtf8(std::string_view utf8) {
  std::string out;
  out.reserve(utf8.size());
  bool valid = true;
  for (size_t at = 0; at < utf8.size();) out += windows1251Byte(nextUtf8(utf8, at, valid));
  return out;
}

std::string utf8OfWindows1251(std::string_view text) {
  std::string out;
  out.reserve(text.size() * 2);
  for (char b : text) appendUtf8(out, windows1251Char(static_cast<unsigned char>(b)));
  return out;
}

bool looksLikeUtf8(std::string_view bytes) {
  bool valid = true, beyondAscii = false;
  for (size_t at = 0; valid && at < bytes.size();)
    beyondAscii |= nextUtf8(bytes, at, valid) >= 0x80;
  return valid && beyondAscii;
}

std::string windows1251OfEditedFile(std::string_view bytes) {
  const TextEncoding encoding = byteOrderMarkOf(bytes);
  if (encoding != TextEncoding::ansi) return windows1251OfUtf8(utf8OfFile(bytes, encoding));
  return looksLikeUtf8(bytes) ? windows1251OfUtf8(bytes) : std::string(bytes);
}

std::vector<std::string> editedTextLines(std::string_view text) {
  std::vector<std::string> lines;
  for (size_t start = 0; start < text.size();) {
    size_t end = text.find_first_of("\r\n", start);
    if (end == std::string_view::npos) end = text.size();
    lines.emplace_back(text.substr(start, end - start));
    start = end + (text.substr(end, 2) == "\r\n" ? 2 : 1);
  }
  return lines;
}

}  // namespace stats
