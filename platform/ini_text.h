#pragma once
// The sectioned key=value text of a private-profile file, read and edited in memory with the
// semantics of the platform's profile functions. The native profile access is built on it.
#include <optional>
#include <string>
#include <vector>

namespace stats {

class IniText {
 public:
  explicit IniText(const std::string& content);

  // The value of the first key of the first section of those names (ASCII case-insensitive),
  // trimmed and without one pair of surrounding quotes; nothing when absent.
  std::optional<std::string> value(const std::string& section, const std::string& key) const;

  // Replaces the key's value, keeping the key's spelling, or adds the key at the end of its
  // section, or adds the section at the end of the text.
  void set(const std::string& section, const std::string& key, const std::string& value);

  // The whole text with CR LF line ends.
  std::string text() const;

 private:
  struct Line {
    std::string raw;
  };
  std::vector<Line> lines_;

  long findSection(const std::string& section) const;  // index of the header line, or -1
  long sectionEnd(long header) const;                   // one past its last non-blank line
  long findKey(long header, const std::string& key) const;
};

}  // namespace stats
