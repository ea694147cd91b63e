#include "rdac/crosscheck/call_edits.h"

namespace rdac {

std::string_view stationOf(std::string_view call) {
  for (std::string_view suffix : {"/P", "/M", "/QRP"}) {
    if (call.size() > suffix.size() && call.substr(call.size() - suffix.size()) == suffix)
      return call.substr(0, call.size() - suffix.size());
  }
  return call;
}

bool oneEditApart(std::string_view a, std::string_view b) {
  if (a.size() < b.size()) std::swap(a, b);
  size_t head = 0;
  while (head < b.size() && a[head] == b[head]) ++head;
  if (a.size() == b.size()) {
    if (head == a.size()) return false;
    if (a.substr(head + 1) == b.substr(head + 1)) return true;  // substitution
    return head + 1 < a.size() && a[head] == b[head + 1] && a[head + 1] == b[head] &&
           a.substr(head + 2) == b.substr(head + 2);  // neighbours swapped
  }
  return a.size() == b.size() + 1 && a.substr(head + 1) == b.substr(head);
}

std::vector<std::string> deletionKeys(std::string_view call) {
  std::vector<std::string> keys;
  keys.reserve(call.size() + 1);
  keys.emplace_back(call);
  for (size_t i = 0; i < call.size(); ++i) {
    std::string key(call.substr(0, i));
    key.append(call.substr(i + 1));
    if (key != keys.back()) keys.push_back(std::move(key));  // a doubled letter gives it twice
  }
  return keys;
}

}  // namespace rdac
