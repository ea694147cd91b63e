#include "rdac/io/messages.h"

#include <atomic>
#include <unordered_map>

#include "platform/text.h"

namespace rdac {
namespace {

std::atomic<Language> chosen{Language::english};

// Each English text beside its Russian partner. The English is the key: change both together.
const std::vector<Translation> kCatalogue = {
#include "rdac/io/message_catalogue.inc"
};

const std::unordered_map<std::string, const char*>& russianTexts() {
  static const std::unordered_map<std::string, const char*> texts = [] {
    std::unordered_map<std::string, const char*> map;
    for (const Translation& t : kCatalogue) map.emplace(t.english, t.russian);
    return map;
  }();
  return texts;
}

}  // namespace

void setLanguage(Language language) { chosen = language; }
Language language() { return chosen; }

std::optional<Language> languageNamed(const std::string& name) {
  if (name.empty()) return std::nullopt;
  const bool russian = name.size() >= 2 && stats::asciiLower(name[0]) == 'r' && stats::asciiLower(name[1]) == 'u';
  return russian ? Language::russian : Language::english;
}

std::string tr(const char* english, std::initializer_list<std::string> arguments) {
  const char* text = english;
  if (chosen == Language::russian) {
    const auto found = russianTexts().find(english);
    if (found != russianTexts().end()) text = found->second;
  }
  std::string out;
  for (const char* at = text; *at; ++at) {
    const size_t n = arguments.size();
    if (at[0] == '{' && at[1] >= '1' && at[1] <= '9' && at[2] == '}' && size_t(at[1] - '0') <= n) {
      out += arguments.begin()[at[1] - '1'];
      at += 2;
    } else {
      out += *at;
    }
  }
  return out;
}

std::string whatToDo(std::error_code error) {
  const std::error_condition condition = error.default_error_condition();
  if (condition == std::errc::no_such_file_or_directory)
    return tr("there is no such file or folder: check the name, or create the folder");
  if (condition == std::errc::permission_denied || condition == std::errc::operation_not_permitted ||
      condition == std::errc::device_or_resource_busy || condition == std::errc::text_file_busy)
    return tr("access refused: close the program that holds the file open, or choose a folder you may write in");
  if (condition == std::errc::no_space_on_device) return tr("the disk is full: make room and try again");
  if (condition == std::errc::read_only_file_system) return tr("the disk is read-only: choose another folder");
  if (condition == std::errc::is_a_directory) return tr("it is a folder, not a file");
  if (condition == std::errc::not_a_directory) return tr("part of the path is a file, not a folder");
  return error.message();
}

const std::vector<Translation>& messageCatalogue() { return kCatalogue; }

}  // namespace rdac
