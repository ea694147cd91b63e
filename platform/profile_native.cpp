#include <cerrno>

#include "platform/edited_text.h"
#include "platform/file_io.h"
#include "platform/file_replace.h"
#include "platform/ini_text.h"
#include "platform/profile.h"
#include "platform/text.h"

// As the platform's profile functions do, a file with a byte-order mark is read and written in
// its own encoding (held as UTF-8 meanwhile, so lines we do not touch come back unchanged), and
// its values reach the caller in the ANSI code page; a file without one is taken as ANSI.
namespace stats {

std::string readProfileString(const FilePath& file, const std::string& section,
                              const std::string& key, const std::string& fallback) {
  std::optional<std::string> value;
  if (const auto content = readWholeFile(file)) {
    const TextEncoding encoding = byteOrderMarkOf(*content);
    value = IniText(utf8OfFile(*content, encoding)).value(section, key);
    if (value && encoding != TextEncoding::ansi) value = windows1251OfUtf8(*value);
  }
  // The platform's functions drop trailing blanks of the default too.
  std::string result = value ? *value : fallback;
  if (!value) {
    while (!result.empty() && isAsciiSpace(result.back())) result.pop_back();
  }
  return result;
}

bool writeProfileString(const FilePath& file, const std::string& section,
                        const std::string& key, const std::string& value) {
  const auto content = readWholeFile(file);
  // A file that exists but cannot be read must not be replaced by one holding only this key.
  if (!content && errno != ENOENT) return false;
  const TextEncoding encoding = byteOrderMarkOf(content.value_or(std::string()));
  const bool ansi = encoding == TextEncoding::ansi;
  IniText ini(utf8OfFile(content.value_or(std::string()), encoding));
  ini.set(section, key, ansi ? value : utf8OfWindows1251(value));
  const std::string text = fileOfUtf8(ini.text(), encoding);
  if (content && *content == text) return true;  // already holds it: nothing to rewrite
  // The platform's functions rewrite the file in place, keeping the one file: so does this,
  // putting the old content back when a write fails midway.
  return (content && rewriteInPlace(file, text)) || replaceWholeFile(file, text);
}

}  // namespace stats
