#include <cerrno>

#include "platform/file_io.h"
#include "platform/file_path.h"
#include "platform/ini_text.h"
#include "platform/profile.h"
#include "platform/text.h"

namespace stats {

std::string readProfileString(const std::string& file, const std::string& section,
                              const std::string& key, const std::string& fallback) {
  std::optional<std::string> value;
  if (const auto content = readWholeFile(hostPath(file))) value = IniText(*content).value(section, key);
  // The platform's functions drop trailing blanks of the default too.
  std::string result = value ? *value : fallback;
  if (!value) {
    while (!result.empty() && isAsciiSpace(result.back())) result.pop_back();
  }
  return result;
}

bool writeProfileString(const std::string& file, const std::string& section,
                        const std::string& key, const std::string& value) {
  const std::string path = hostPath(file);
  const auto content = readWholeFile(path);
  // A file that exists but cannot be read must not be replaced by one holding only this key.
  if (!content && errno != ENOENT) return false;
  IniText ini(content.value_or(std::string()));
  ini.set(section, key, value);
  const std::string text = ini.text();
  if (content && *content == text) return true;  // already holds it: nothing to rewrite
  return replaceWholeFile(path, text);
}

}  // namespace stats
