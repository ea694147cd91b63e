#pragma once
// Paths travel through rdac as UTF-8 text. std::filesystem reads a narrow string in the ANSI
// code page on Windows, which cannot spell every folder name (Cyrillic under Windows-1252):
// every path is made through here, so it means the same file in both builds.
#include <exception>
#include <filesystem>
#include <string>

namespace rdac {

inline std::filesystem::path pathOf(const std::string& utf8) {
  try {
    return std::filesystem::u8path(utf8);
  } catch (const std::exception&) {  // not UTF-8 (a name taken from a log's bytes): as it is
    return std::filesystem::path(utf8);
  }
}

inline std::string textOf(const std::filesystem::path& path) { return path.u8string(); }

}  // namespace rdac
