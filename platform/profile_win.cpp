#include <windows.h>

#include "platform/profile.h"

namespace stats {

std::string readProfileString(const std::string& file, const std::string& section,
                              const std::string& key, const std::string& fallback) {
  // The function cuts a value to the buffer and then answers size - 1; only a shorter answer
  // proves the value whole, so the buffer grows until one comes.
  std::string buffer(256, '\0');
  for (;;) {
    const DWORD got = GetPrivateProfileStringA(section.c_str(), key.c_str(), fallback.c_str(),
                                               buffer.data(), static_cast<DWORD>(buffer.size()),
                                               file.c_str());
    if (got + 1 < buffer.size()) {
      buffer.resize(got);
      return buffer;
    }
    buffer.assign(buffer.size() * 2, '\0');
  }
}

bool writeProfileString(const std::string& file, const std::string& section,
                        const std::string& key, const std::string& value) {
  return WritePrivateProfileStringA(section.c_str(), key.c_str(), value.c_str(), file.c_str()) != 0;
}

}  // namespace stats
