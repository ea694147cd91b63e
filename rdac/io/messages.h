#pragma once
// What rdac says to an operator, in the operator's language. Every text is written in English
// where it is used and wrapped in tr(); the catalogue (messages.cpp) holds its Russian partner.
// A text not yet in the catalogue is said in English, so a new message can land first and be
// translated after.
#include <initializer_list>
#include <optional>
#include <string>
#include <system_error>
#include <vector>

namespace rdac {

enum class Language { english, russian };

// Chosen once at the start (--lang, then RDAC_LANG, then the system's), read by every message.
void setLanguage(Language language);
Language language();

// "ru", "ru_RU.UTF-8", "Russian"... -> russian; "en", "C", "de_DE" -> english; empty -> nothing.
std::optional<Language> languageNamed(const std::string& name);

// The user's language as the system has it: the UI language on Windows, the locale
// (LC_ALL, LC_MESSAGES, LANG) elsewhere.
Language systemLanguage();

// The text in the current language; {1}, {2}... stand for the arguments in that order.
std::string tr(const char* english, std::initializer_list<std::string> arguments = {});

// What the operator can do about a failed file operation, instead of the library's words.
std::string whatToDo(std::error_code error);

struct Translation {
  const char* english;
  const char* russian;
};
const std::vector<Translation>& messageCatalogue();

}  // namespace rdac
