#include <windows.h>

#include "platform/profile.h"
#include "platform/wide_text_win.h"

namespace stats {

// The W functions, so the path may hold letters the ANSI code page cannot spell; the texts are
// the host's ANSI texts, converted as the A functions would convert them.
std::string readProfileString(const FilePath& file, const std::string& section,
                              const std::string& key, const std::string& fallback) {
  const std::wstring wideSection = wideOfAnsi(section), wideKey = wideOfAnsi(key);
  const std::wstring wideFallback = wideOfAnsi(fallback);
  // The function cuts a value to the buffer and then answers size - 1; only a shorter answer
  // proves the value whole, so the buffer grows until one comes.
  std::wstring buffer(256, L'\0');
  for (;;) {
    const DWORD got = GetPrivateProfileStringW(wideSection.c_str(), wideKey.c_str(),
                                               wideFallback.c_str(), buffer.data(),
                                               static_cast<DWORD>(buffer.size()), file.c_str());
    if (got + 1 < buffer.size()) {
      buffer.resize(got);
      return ansiOfWide(buffer);
    }
    buffer.assign(buffer.size() * 2, L'\0');
  }
}

bool writeProfileString(const FilePath& file, const std::string& section,
                        const std::string& key, const std::string& value) {
  return WritePrivateProfileStringW(wideOfAnsi(section).c_str(), wideOfAnsi(key).c_str(),
                                    wideOfAnsi(value).c_str(), file.c_str()) != 0;
}

}  // namespace stats
