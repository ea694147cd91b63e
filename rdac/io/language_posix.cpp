#include <cstdlib>

#include "rdac/io/messages.h"

namespace rdac {

// The first of these that is set decides, as it does for the C library's messages.
Language systemLanguage() {
  for (const char* variable : {"LC_ALL", "LC_MESSAGES", "LANG"})
    if (const char* value = std::getenv(variable); value && *value) return languageNamed(value).value_or(Language::english);
  return Language::english;
}

}  // namespace rdac
