#include "rdac/score/work_folder.h"

#include <filesystem>
#include <fstream>
#include <sstream>
#include <system_error>

#include "platform/ini_text.h"
#include "platform/text.h"
#include "rdac/io/file_bytes.h"
#include "rdac/io/messages.h"
#include "rdac/io/paths.h"
#include "rdac/logs/district_list.h"

namespace fs = std::filesystem;

namespace rdac {
namespace {

const char kSettingsSection[] = "Settings";

// Not fs::copy_file: with overwrite_existing it fails on a file already there under the
// Windows toolchain, so a second run into the same folder would.
bool copyInto(const std::string& source, const fs::path& target, const char* what, std::string& error) {
  std::error_code ec;
  if (!fs::is_regular_file(pathOf(source), ec)) {
    error = tr("{1} '{2}' not found", {tr(what), source});
    return false;
  }
  std::string why;
  const auto bytes = readFileBytes(source, why);
  if (!bytes) {
    error = tr("cannot read the {1} '{2}': {3}", {tr(what), source, why});
    return false;
  }
  return replaceFileBytes(textOf(target), *bytes, error);
}

bool installDistricts(const std::string& source, const fs::path& target, std::string& note, std::string& error) {
  std::error_code ec;
  if (!fs::exists(pathOf(source), ec)) {
    error = tr("district table '{1}' not found", {source});
    return false;
  }
  std::string why;
  const auto bytes = readFileBytes(source, why);
  if (!bytes) {
    error = tr("cannot read the district table '{1}': {2}", {source, why});
    return false;
  }
  const DistrictTableText table = districtTableOf(*bytes);
  const std::string name = textOf(pathOf(source).filename());
  if (table.written == 0) {
    error = districtTableNote(table, name);
    return false;
  }
  // A table in the plug-in's own layout goes as it is: the plug-in reads any encoding itself.
  if (!table.publisherList && table.deleted == 0) return replaceFileBytes(textOf(target), *bytes, error);
  note = districtTableNote(table, name);
  return replaceFileBytes(textOf(target), table.text, error);
}

bool writeSettings(const fs::path& file, const std::vector<SettingValue>& settings, std::string& error) {
  if (settings.empty()) return true;
  std::string existing;
  if (std::ifstream in{file, std::ios::binary}) {
    std::ostringstream bytes;
    bytes << in.rdbuf();
    existing = bytes.str();
  }
  stats::IniText ini(existing);
  for (const SettingValue& setting : settings) ini.set(kSettingsSection, setting.key, setting.value);
  std::ofstream out(file, std::ios::binary | std::ios::trunc);
  out << ini.text();
  out.close();
  if (!out) error = tr("cannot write the settings file {1}", {textOf(file)});
  return static_cast<bool>(out);
}

}  // namespace

bool layOutWorkFolder(const WorkFolderPlan& plan, std::string& note, std::string& error) {
  const fs::path plugins = pathOf(plan.folder) / "Plugins";
  std::error_code ec;
  fs::create_directories(plugins, ec);
  if (ec || !fs::is_directory(plugins)) {
    error = tr("cannot make the work folder {1}: {2}", {textOf(plugins), ec ? whatToDo(ec) : tr("a file stands in its place")});
    return false;
  }
  const fs::path districts = plugins / "rda_rus.dat";
  if (!plan.districtsPath.empty()) {
    if (!installDistricts(plan.districtsPath, districts, note, error)) return false;
  } else if (!fs::is_regular_file(districts, ec)) {
    error = tr("no district table: give --districts FILE (the plug-in refuses every Russian district without one)");
    return false;
  }
  if (!plan.hintsPath.empty() && !copyInto(plan.hintsPath, plugins / "RDAC.hlp", "hint file", error))
    return false;
  return writeSettings(plugins / "RDA.ini", plan.settings, error);
}

std::string cabrilloFilePath(const std::string& folder, const std::string& ownCall) {
  std::string base = ownCall;
  for (char& c : base)
    if (c == '/' || c == '\\') c = '_';
  base = stats::trimmed(base);
  return textOf(pathOf(folder) / pathOf((base.empty() ? "RDRC" : base) + ".cbr"));
}

std::string badQsoFilePath(const std::string& folder, const stats::COleDateTime& contestEnd) {
  return textOf(pathOf(folder) / ("BadQSO_DedodEVA_" + contestEnd.Format("%d_%m_%Y") + ".txt"));
}

PreviousFile::PreviousFile(std::string path) : path_(std::move(path)), previous_(path_ + ".previous") {
  std::error_code ec;
  if (!fs::exists(pathOf(previous_), ec) && fs::is_regular_file(pathOf(path_), ec))
    fs::rename(pathOf(path_), pathOf(previous_), ec);
}

void PreviousFile::discard() {
  std::error_code ignored;
  fs::remove(pathOf(previous_), ignored);
}

bool PreviousFile::restore() {
  std::error_code ec;
  if (!fs::is_regular_file(pathOf(previous_), ec)) return false;
  fs::rename(pathOf(previous_), pathOf(path_), ec);
  return !ec;
}

}  // namespace rdac
