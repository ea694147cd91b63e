#include "platform/ini_text.h"

#include "platform/edited_text.h"
#include "platform/text.h"

namespace stats {
namespace {

bool sectionName(const std::string& line, std::string& name) {
  const std::string t = trimmed(line);
  if (t.empty() || t[0] != '[') return false;
  const size_t close = t.find(']');
  name = trimmed(t.substr(1, close == std::string::npos ? std::string::npos : close - 1));
  return true;
}

bool keyAndValue(const std::string& line, std::string& key, std::string& value) {
  const size_t eq = line.find('=');
  if (eq == std::string::npos) return false;
  key = trimmed(line.substr(0, eq));
  value = trimmed(line.substr(eq + 1));
  return true;
}

std::string unquoted(const std::string& value) {
  if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
      value.back() == value.front())
    return value.substr(1, value.size() - 2);
  return value;
}

// A value must stay on its line: a line break inside it would start a key or section of its own.
std::string valueOnOneLine(const std::string& value) {
  std::string out = trimmed(value);
  for (char& c : out)
    if (c == '\r' || c == '\n') c = ' ';
  return out;
}

}  // namespace

// A lone CR ends a line too, as it does for the platform's profile functions.
IniText::IniText(const std::string& content) {
  for (std::string& raw : editedTextLines(content)) lines_.push_back({std::move(raw)});
}

long IniText::findSection(const std::string& section) const {
  std::string name;
  for (size_t i = 0; i < lines_.size(); ++i)
    if (sectionName(lines_[i].raw, name) && equalsNoCase(name, section)) return static_cast<long>(i);
  return -1;
}

long IniText::sectionEnd(long header) const {
  long end = header + 1;
  std::string name;
  for (long i = header + 1; i < static_cast<long>(lines_.size()); ++i) {
    if (sectionName(lines_[i].raw, name)) break;
    if (!trimmed(lines_[i].raw).empty()) end = i + 1;
  }
  return end;
}

long IniText::findKey(long header, const std::string& key) const {
  std::string name, k, v;
  for (long i = header + 1; i < static_cast<long>(lines_.size()); ++i) {
    if (sectionName(lines_[i].raw, name)) break;
    if (keyAndValue(lines_[i].raw, k, v) && equalsNoCase(k, key)) return i;
  }
  return -1;
}

std::optional<std::string> IniText::value(const std::string& section, const std::string& key) const {
  const long header = findSection(section);
  if (header < 0) return std::nullopt;
  const long line = findKey(header, key);
  if (line < 0) return std::nullopt;
  std::string k, v;
  keyAndValue(lines_[line].raw, k, v);
  return unquoted(v);
}

void IniText::set(const std::string& section, const std::string& key, const std::string& value) {
  const std::string clean = valueOnOneLine(value);
  long header = findSection(section);
  if (header < 0) {
    lines_.push_back({"[" + section + "]"});
    lines_.push_back({key + "=" + clean});
    return;
  }
  const long line = findKey(header, key);
  if (line >= 0) {
    std::string k, v;
    keyAndValue(lines_[line].raw, k, v);
    lines_[line].raw = k + "=" + clean;
    return;
  }
  lines_.insert(lines_.begin() + sectionEnd(header), {key + "=" + clean});
}

std::string IniText::text() const {
  std::string out;
  for (const Line& line : lines_) {
    out += line.raw;
    out += "\r\n";
  }
  return out;
}

}  // namespace stats
