#pragma once
// Paths as this platform's file functions take them: UTF-16 on Windows from the moment they are
// built, so that a folder whose name the ANSI code page cannot spell still works; bytes natively.
#include <filesystem>
#include <string>

namespace stats {

using FilePath = std::filesystem::path;

// A name or path in the host's ANSI code page (the fixed relative names such as
// ".\Plugins\rda_rus.dat", the host's folder, a file name made of the own call), turned into
// this platform's path once: with the ANSI code page on Windows; natively with the backslash
// taken as the separator it is there.
FilePath hostPath(const std::string& name);

// `relativeName` (as hostPath takes it) under `folder`, "." steps dropped; with an empty folder
// the name alone, relative to the current folder.
FilePath pathInFolder(const FilePath& folder, const std::string& relativeName);

// The folder the host names, as a full path, when it is an existing folder; otherwise the
// current folder.
FilePath contestFolderOf(const std::string& hostFolder);

}  // namespace stats
