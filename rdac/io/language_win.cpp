#include <windows.h>

#include "rdac/io/messages.h"

namespace rdac {

// The language the user reads Windows in, not the one of number formats or the code page.
Language systemLanguage() {
  return PRIMARYLANGID(GetUserDefaultUILanguage()) == LANG_RUSSIAN ? Language::russian : Language::english;
}

}  // namespace rdac
