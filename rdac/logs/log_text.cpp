#include "rdac/logs/log_text.h"

#include <cstdint>
#include <cstring>

#include "platform/edited_text.h"

namespace rdac {
namespace {

// How many bytes the well-formed UTF-8 sequence at `at` takes; 0 when none starts there.
size_t utf8SequenceAt(std::string_view text, size_t at) {
  const auto byte = [&](size_t k) { return at + k < text.size() ? static_cast<unsigned char>(text[at + k]) : 0u; };
  const unsigned lead = byte(0);
  const size_t length = lead < 0x80 ? 1 : lead >= 0xC2 && lead <= 0xDF ? 2 : lead >= 0xE0 && lead <= 0xEF ? 3
                                          : lead >= 0xF0 && lead <= 0xF4 ? 4 : 0;
  for (size_t k = 1; k < length; ++k)
    if ((byte(k) & 0xC0) != 0x80) return 0;
  // Overlong forms, surrogates and code points past U+10FFFF.
  if ((lead == 0xE0 && byte(1) < 0xA0) || (lead == 0xED && byte(1) > 0x9F) || (lead == 0xF0 && byte(1) < 0x90) ||
      (lead == 0xF4 && byte(1) > 0x8F))
    return 0;
  return length;
}

}  // namespace

std::string textOfLogFile(std::string bytes) {
  const stats::TextEncoding mark = stats::byteOrderMarkOf(bytes);
  return mark == stats::TextEncoding::ansi ? bytes : stats::utf8OfFile(bytes, mark);
}

LogEncoding logEncodingOf(std::string_view text) {
  return stats::looksLikeUtf8(text) ? LogEncoding::utf8 : LogEncoding::windows1251;
}

bool isAscii(std::string_view text) {
  // Eight bytes at a time: whole logs go through here.
  size_t i = 0;
  for (uint64_t word; i + 8 <= text.size(); i += 8) {
    std::memcpy(&word, text.data() + i, 8);
    if (word & 0x8080808080808080u) return false;
  }
  for (; i < text.size(); ++i)
    if (static_cast<unsigned char>(text[i]) >= 0x80) return false;
  return true;
}

std::string utf8OfLogText(std::string_view text, LogEncoding encoding) {
  if (isAscii(text)) return std::string(text);  // most fields of most logs
  if (encoding == LogEncoding::windows1251) return stats::utf8OfWindows1251(text);
  std::string out;
  out.reserve(text.size());
  for (size_t at = 0; at < text.size();) {
    const size_t length = utf8SequenceAt(text, at);
    if (length == 0) {
      out += '?';
      ++at;
    } else {
      out.append(text.substr(at, length));
      at += length;
    }
  }
  return out;
}

std::string utf8OfTextFile(std::string bytes) {
  const std::string text = textOfLogFile(std::move(bytes));
  return utf8OfLogText(text, logEncodingOf(text));
}

}  // namespace rdac
